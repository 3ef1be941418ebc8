#include "data/Messages.h"

#include <cstdio>
#include <cstdlib>

namespace dorva::data {
namespace {

MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}

QuitHandler& Quit() {
    static QuitHandler quit;
    return quit;
}

} // namespace

void SetMessageSink(MessageSink sink) { Sink() = std::move(sink); }

void SetQuitHandler(QuitHandler handler) { Quit() = std::move(handler); }

void ShowMessage(const std::string& message, bool quitAfter) {
    if (Sink()) {
        Sink()(message);
    } else {
        std::fprintf(stderr, "DORVA II: %s\n", message.c_str());
    }
    if (!quitAfter) {
        return;
    }
    if (Quit()) {
        Quit()();
    }
    // A quit handler that returns must not let the program run on with data it could not read.
    std::exit(1);
}

} // namespace dorva::data
