#pragma once
// Messages to the player from the logic layer, with an optional end of the program.

#include <stdexcept>
#include <string>

namespace dorva::data {

// What a test's quitter throws to watch the program end without ending the test.
struct ProgramEnded : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Shows the message (UTF-8; table text in it is taken as Latin-1 where it is not UTF-8) in a modal
// box with only an OK button; when quitAfter is true the program ends right after the box is closed,
// without saving the settings.
void ShowMessage(const std::string& message, bool quitAfter);

} // namespace dorva::data
