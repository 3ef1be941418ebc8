#include "data/Messages.h"

#include "platform/Seams.h"

#include <cstdlib>

namespace dorva::data {

void ShowMessage(const std::string& message, bool quitAfter) {
    platform::CurrentDialogs().Message(message);
    if (!quitAfter) {
        return;
    }
    platform::CurrentQuitter().QuitNow();
    // A quitter that returns must not let the program run on with data it could not read.
    std::exit(1);
}

} // namespace dorva::data
