#include "voice/SpeechSetup.h"

#include "data/SupportFolder.h"
#include "platform/Seams.h"
#include "voice/Grammar.h"
#include "voice/State.h"

namespace dorva::voice {

std::int16_t InitVoice(platform::SpeechPlatform& platform, SpeechEngineSet& set) {
    set.ttsError = 0;
    set.voice.reset();
    const long error = platform.CreateVoice(set.voice);
    if (error != 0) {
        set.ttsError = error;
        set.voice.reset();
        return 0;
    }
    if (!set.voice) {
        // A platform that claims success without a voice has failed all the same.
        set.ttsError = platform::kErrNoVoiceEngine;
        return 0;
    }
    return 1;
}

std::int16_t InitVoice() {
    SpeechEngineSet set;
    const std::int16_t done = InitVoice(platform::CurrentSpeechPlatform(), set);
    gVoice = std::move(set.voice);
    TTSError = set.ttsError;
    return done;
}

std::string GrammarFilePath() {
    return data::ResolveSupportPath(data::SupportPath("dorva.cfg")).string();
}

std::int16_t InitReco(platform::SpeechPlatform& platform, SpeechEngineSet& set) {
    set.srError = 0;
    const auto fail = [&set](long error) -> std::int16_t {
        set.srError = static_cast<std::int32_t>(error);
        return 0;
    };
    if (const long error = platform.CreateSharedRecoContext(set.recoContext); error != 0) {
        return fail(error);
    }
    if (!set.recoContext) {
        return fail(platform::kErrNoRecognizer);
    }
    set.recoContext->SetStopWhenTalkedOver(gStopWhenTalkedOver);
    set.recoContext->SetPronunciations(gPlayerPronunciations);
    if (const long error = set.recoContext->CreateGrammar(0, set.recoGrammar); error != 0) {
        return fail(error);
    }
    if (!set.recoGrammar) {
        return fail(platform::kErrGrammarFile);
    }
    if (const long error = set.recoGrammar->DictationSetState(0); error != 0) {
        return fail(error);
    }
    if (const long error = gWakeWord ? set.recoGrammar->SetWakeWord(true) : 0; error != 0) {
        return fail(error);
    }
    if (const long error = set.recoGrammar->CmdLoadFromFile(GrammarFilePath(), 1); error != 0) {
        return fail(error);
    }
    if (const long error = set.recoGrammar->CmdSetRuleIdState(0, 1); error != 0) {
        return fail(error);
    }
    return 1;
}

std::int16_t InitReco() {
    SpeechEngineSet set;
    const std::int16_t done = InitReco(platform::CurrentSpeechPlatform(), set);
    // The grammar before the context it came from.
    gRecoGrammar = std::move(set.recoGrammar);
    gRecoContext = std::move(set.recoContext);
    SRError = set.srError;
    return done;
}

SpeechEngineSet SetUpSpeechEngines(platform::SpeechPlatform& platform) {
    SpeechEngineSet set;
    set.recoAvailable = InitReco(platform, set);
    set.voiceAvailable = InitVoice(platform, set);
    return set;
}

void TakeSpeechEngines(SpeechEngineSet set) {
    gRecoGrammar = std::move(set.recoGrammar);
    gRecoContext = std::move(set.recoContext);
    gVoice = std::move(set.voice);
    gRecoAvailable = set.recoAvailable;
    gVoiceAvailable = set.voiceAvailable;
    TTSError = set.ttsError;
    SRError = set.srError;
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

void RecognizerFailed(long error) {
    SRError = static_cast<std::int32_t>(error);
    gRecognize = 0;
}

void SetStopWhenTalkedOver(bool on) {
    gStopWhenTalkedOver = on;
    if (gRecoContext) {
        gRecoContext->SetStopWhenTalkedOver(on);
    }
}

long SetWakeWord(bool on) {
    if (gWakeWord == on) {
        return 0;
    }
    gWakeWord = on;
    if (gRecoAvailable != 1 || !gRecoGrammar) {
        return 0;
    }
    return gRecoGrammar->SetWakeWord(on);
}

std::string WhatCanISayShown() {
    if (!gWakeWord) {
        return gWhatCanISayText;
    }
    return "The wake word is on: begin every command with \"Dorva\", as in \"Dorva, activation roll\". "
           "After \"Dorva\" alone, say the command within " +
           std::to_string(kFollowUpSeconds) + " seconds.\r\n\r\n" + gWhatCanISayText;
}

void RecognizerRecovered() {
    SRError = 0;
}

bool SpeechErrorsOnOffer() {
    return gRecoAvailable == 0 || gVoiceAvailable == 0 || SRError != 0;
}

namespace {

// What failed and what to do, in a player's words. An engine that failed at start-up needs the
// program started again once the cause is mended; the recogniser that failed later tries again by
// itself, and "Recognize speech" comes back when it hears again.
std::string Advice(long error, bool recoversAlone) {
    const std::string again = recoversAlone
                                  ? " \"Recognize speech\" can be checked again as soon as it is back."
                                  : " Then start DORVA II again.";
    switch (error) {
    case platform::kErrNoVoiceEngine:
        return "the voice engine did not start. Install the package espeak-ng-data (and reinstall DORVA II "
               "should its speech module dorva-speech.so be missing)." +
               again;
    case platform::kErrNoRecognizer:
        return "the speech recogniser did not start: the speech module dorva-speech.so is missing. "
               "Reinstall DORVA II.";
    case platform::kErrNoAudioServer:
        return "the sound server cannot be reached. Start it (PulseAudio, or PipeWire with its PulseAudio "
               "service)." +
               again;
    case platform::kErrNoAcousticModel:
        return "the speech model cannot be loaded. Install the package pocketsphinx-en-us." + again;
    case platform::kErrGrammarFile:
        return "the list of commands " + data::SupportPath("dorva.cfg") +
               " is missing or damaged. Reinstall DORVA II.";
    case platform::kErrGrammarWord:
        return "a word of the list of commands " + data::SupportPath("dorva.cfg") +
               " is not in the speech model's dictionary. Reinstall DORVA II.";
    case platform::kErrNoMicrophone:
        return "there is no microphone. Plug one in, or choose one as the input in the sound settings." +
               again;
    default:
        return "the speech service failed with error " + std::to_string(error) + ".";
    }
}

} // namespace

std::string SpeechErrorsText() {
    std::string text = "TTS = " + std::to_string(TTSError) + "\r\nSR = " + std::to_string(SRError);
    if (TTSError != 0 || SRError != 0) {
        text += "\r\n";
    }
    if (TTSError != 0) {
        text += "\r\nSpeaking: " + Advice(TTSError, false);
    }
    if (SRError != 0) {
        text += "\r\nListening: " + Advice(SRError, gRecoAvailable == 1);
    }
    return text;
}

} // namespace dorva::voice
