// The entry of the speech module (dorva-speech.so), the one symbol the module shows. The program
// loads the module once its set-up screen is on screen: linked in, the engines' libraries would be
// loaded and bound before the program's first window.
#include "voice/engine/SpeechEngines.h"

extern "C" __attribute__((visibility("default"))) dorva::platform::SpeechPlatform*
DORVA_SPEECH_MODULE_ENTRY() {
    return dorva::voice::engine::CreateSpeechEngines().release();
}
