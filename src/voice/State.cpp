#include "voice/State.h"

namespace dorva::voice {

void ResetState() {
    // The grammar and the context before the voice: they were made after it.
    gRecoGrammar.reset();
    gRecoContext.reset();
    gVoice.reset();
    gVoiceAvailable = 0;
    gRecoAvailable = 0;
    gSpeak = 0;
    gRecognize = 0;
    gWakeWord = false;
    gPlayerPronunciations.clear();
    gStopWhenTalkedOver = true;
    TTSError = 0;
    SRError = 0;
    gLastSpokenText.clear();
    gVoiceCommandRunning = false;
    gWhatCanISayText.clear();
}

} // namespace dorva::voice
