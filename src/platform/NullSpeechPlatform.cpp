#include "platform/NullSpeechPlatform.h"

namespace dorva::platform {

long NullSpeechPlatform::CreateVoice(std::unique_ptr<Voice>& voice) {
    voice.reset();
    return kErrNoVoiceEngine;
}

long NullSpeechPlatform::CreateSharedRecoContext(std::unique_ptr<RecoContext>& context) {
    context.reset();
    return kErrNoRecognizer;
}

} // namespace dorva::platform
