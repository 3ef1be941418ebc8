#pragma once
// Messages to the player from the logic layer, with an optional end of the program.

#include <functional>
#include <stdexcept>
#include <string>

namespace dorva::data {

// Shows a message in a modal box with only an OK button and the application title. The windows
// install the real box; without one the message goes to standard error.
using MessageSink = std::function<void(const std::string& message)>;
void SetMessageSink(MessageSink sink);

// Ends the program at once, without saving the settings. The default exits the process with status 1;
// tests install one that throws ProgramEnded so that they can watch the program end.
using QuitHandler = std::function<void()>;
void SetQuitHandler(QuitHandler handler);

struct ProgramEnded : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Shows the message; when quitAfter is true the program ends right after the box is closed.
void ShowMessage(const std::string& message, bool quitAfter);

} // namespace dorva::data
