#include "voice/Speak.h"

#include "voice/State.h"

namespace dorva::voice {

void SpeakText(const std::string& text, int flags) {
    if (gSpeak == 1 && gVoiceAvailable == 1 && gVoice) {
        gVoice->Speak(text, flags);
        gLastSpokenText = text;
    }
}

} // namespace dorva::voice
