#pragma once
// Setting up the two speech engines at start-up, and the sound-level interest of the set-up screen.

#include "platform/SpeechPlatform.h"

#include <cstdint>
#include <memory>
#include <string>

namespace dorva::voice {

// The two engines as the set-up makes them, before they become the program's. Starting an engine
// can wait on the audio server (a frozen one holds a client for half a minute), so the program sets
// them up on a thread of its own and takes them on the user-interface thread when they are done.
struct SpeechEngineSet {
    std::unique_ptr<platform::Voice> voice;
    std::unique_ptr<platform::RecoContext> recoContext;
    std::unique_ptr<platform::RecoGrammar> recoGrammar;
    std::int16_t recoAvailable = 0;
    std::int16_t voiceAvailable = 0;
    long ttsError = 0;
    std::int32_t srError = 0;
};

// InitReco, then InitVoice, on the given platform into a set of their own; touches no program-wide
// value, so it may run on any thread.
SpeechEngineSet SetUpSpeechEngines(platform::SpeechPlatform& platform);
// Writes: gVoice, gRecoContext, gRecoGrammar, gVoiceAvailable, gRecoAvailable, TTSError, SRError.
void TakeSpeechEngines(SpeechEngineSet set);

// The steps of InitVoice and InitReco below into a set instead of the program-wide values.
std::int16_t InitVoice(platform::SpeechPlatform& platform, SpeechEngineSet& set);
std::int16_t InitReco(platform::SpeechPlatform& platform, SpeechEngineSet& set);

// Creates the voice into gVoice through the speech platform. Returns 1, or 0 with TTSError set to the
// platform's error number when the voice cannot be created (gVoice then stays empty).
// Writes: gVoice, TTSError.
std::int16_t InitVoice();

// Creates the shared recognition context and the command grammar, switches dictation off, loads the
// grammar file and activates all its rules. Returns 1, or 0 with SRError set to the error number of
// the step that failed; the steps done before it stay done.
// With the wake word on, the grammar is told so before it is loaded.
// Reads: gWakeWord, gStopWhenTalkedOver, gPlayerPronunciations. Writes: gRecoContext, gRecoGrammar,
// SRError.
std::int16_t InitReco();

// The grammar file as the recognizer is handed it: dorva.cfg of the support folder, resolved
// against the program's folder.
std::string GrammarFilePath();

// The set-up screen shows the sound level only while it is up: it asks for audio-level events when it
// becomes active and gives them up at OK. Both do nothing unless recognition was set up (gRecoAvailable
// is 1), and asking twice is asking once, so that the interests never drift.
// Reads: gRecoAvailable, gRecoContext.
void AddAudioLevelInterest();
void RemoveAudioLevelInterest();

// The recogniser stopped hearing after its set-up: its error number goes into SRError and listening
// is switched off. Once it hears again the error is cleared; listening stays off until the player
// switches it on. Writes: SRError, gRecognize.
void RecognizerFailed(long error);
// Switches the wake word on or off for the grammar the recogniser holds (the recogniser is told only
// of a change). 0, or the platform's error number.
// Writes: gWakeWord. Reads: gRecoAvailable, gRecoGrammar.
long SetWakeWord(bool on);
// Whether the voice falls silent when the player talks over it, for the recogniser there is and the
// next one set up. Writes: gStopWhenTalkedOver. Reads: gRecoContext.
void SetStopWhenTalkedOver(bool on);
// The "What Can I Say?" text as the player needs it now: with the wake word on, it says so first.
// Reads: gWhatCanISayText, gWakeWord.
std::string WhatCanISayShown();
void RecognizerRecovered();
// Whether "Speech Errors" has something to show: an engine failed at start-up or since.
// Reads: gVoiceAvailable, gRecoAvailable, SRError.
bool SpeechErrorsOnOffer();
// The text of "Speech Errors": the two numbers, then for each engine that failed what failed and
// what the player can do about it. Reads: TTSError, SRError, gRecoAvailable.
std::string SpeechErrorsText();

} // namespace dorva::voice
