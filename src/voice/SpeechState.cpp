#include "voice/SpeechState.h"

namespace dorva::voice {

void ResetSpeechState() {
    gRecoGrammar.reset();
    gRecoContext.reset();
    gVoice.reset();
    gRecoAvailable = 0;
    gRecognize = 0;
    TTSError = 0;
    SRError = 0;
    gWhatCanISayText.clear();
}

} // namespace dorva::voice
