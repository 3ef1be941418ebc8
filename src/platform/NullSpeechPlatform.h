#pragma once
// The speech platform of this release: it speaks and recognises nothing, and every creation fails with
// an error number of its own, so that start-up goes on with both speech boxes disabled and the error
// numbers on offer under "Speech Errors". The espeak-ng / PocketSphinx engines replace it later behind
// the same interface.

#include "platform/SpeechPlatform.h"

namespace dorva::platform {

class NullSpeechPlatform final : public SpeechPlatform {
public:
    long CreateVoice(std::unique_ptr<Voice>& voice) override;                     // kErrNoVoiceEngine
    long CreateSharedRecoContext(std::unique_ptr<RecoContext>& context) override; // kErrNoRecognizer
};

} // namespace dorva::platform
