// DORVA II: a game assistant for solitaire play.
#include "app/gui/Startup.h"
#include "voice/State.h"
#include "voice/engine/SpeechEngines.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The real speech engines are the program's alone: its libraries and tests run without them.
    const auto speech = dorva::voice::engine::CreateSpeechEngines();
    dorva::app::ConfigureApplication(app, speech.get());
    const int status = dorva::app::RunProgram();
    // The voice and the recogniser go before the engines that made them.
    dorva::voice::ResetState();
    return status;
}
