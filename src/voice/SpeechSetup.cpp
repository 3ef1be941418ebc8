#include "voice/SpeechSetup.h"

#include "data/SupportFolder.h"
#include "platform/Seams.h"
#include "voice/State.h"

namespace dorva::voice {

std::int16_t InitVoice() {
    TTSError = 0;
    gVoice.reset();
    const long error = platform::CurrentSpeechPlatform().CreateVoice(gVoice);
    if (error != 0) {
        TTSError = error;
        gVoice.reset();
        return 0;
    }
    if (!gVoice) {
        // A platform that claims success without a voice has failed all the same.
        TTSError = platform::kErrNoVoiceEngine;
        return 0;
    }
    return 1;
}

std::string GrammarFilePath() {
    return data::ResolveSupportPath(data::SupportPath("dorva.cfg")).string();
}

std::int16_t InitReco() {
    SRError = 0;
    const auto fail = [](long error) -> std::int16_t {
        SRError = static_cast<std::int32_t>(error);
        return 0;
    };
    if (const long error = platform::CurrentSpeechPlatform().CreateSharedRecoContext(gRecoContext);
        error != 0) {
        return fail(error);
    }
    if (!gRecoContext) {
        return fail(platform::kErrNoRecognizer);
    }
    if (const long error = gRecoContext->CreateGrammar(0, gRecoGrammar); error != 0) {
        return fail(error);
    }
    if (!gRecoGrammar) {
        return fail(platform::kErrGrammarFile);
    }
    if (const long error = gRecoGrammar->DictationSetState(0); error != 0) {
        return fail(error);
    }
    if (const long error = gRecoGrammar->CmdLoadFromFile(GrammarFilePath(), 1); error != 0) {
        return fail(error);
    }
    if (const long error = gRecoGrammar->CmdSetRuleIdState(0, 1); error != 0) {
        return fail(error);
    }
    return 1;
}

void AddAudioLevelInterest() {
    if (gRecoAvailable != 1 || !gRecoContext) {
        return;
    }
    const int interests = gRecoContext->EventInterests();
    if ((interests & platform::kAudioLevelInterest) == 0) {
        gRecoContext->SetEventInterests(interests + platform::kAudioLevelInterest);
    }
}

void RemoveAudioLevelInterest() {
    if (gRecoAvailable != 1 || !gRecoContext) {
        return;
    }
    const int interests = gRecoContext->EventInterests();
    if ((interests & platform::kAudioLevelInterest) != 0) {
        gRecoContext->SetEventInterests(interests - platform::kAudioLevelInterest);
    }
}

} // namespace dorva::voice
