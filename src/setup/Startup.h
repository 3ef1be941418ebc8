#pragma once
// The start-up loader: saved settings, the set-up lists, the rule tables and the list of spoken
// commands, in that order; then, once the set-up screen is up, the speech engines.

#include "voice/SpeechSetup.h"

namespace dorva::setup {

class SettingsStore;

// What the set-up screen shows while start-up runs.
class StartupView {
public:
    virtual ~StartupView() = default;
    // The speech boxes, the sound-level label and "Speech Errors" after both engines were set up.
    virtual void ShowSpeechEngines() = 0;
    // Fills the lists once and selects the scenario parameters in them.
    virtual void FillLists() = 0;
    virtual void ShowLogFileName() = 0;
};

// Ends the program with "DORVA_Support/config.sco is not found." when the table file is missing, reads
// the saved settings and the last game's dice statistics, has the lists filled, reads the table store
// (naming once any table the file lacks) and the "What Can I Say?" list.
// Writes: the saved settings' values (gSpeak and gRecognize among them), gDRStats, gDiceGame,
// gModifierTable, the table store, gAppliedSdfTag, gWhatCanISayText, gSPGTableFound.
void LoadGameData(SettingsStore& store, StartupView& view);

// Sets up recognition, then the voice, and has the view show which of them work. Start-up runs it
// once the set-up screen is on screen, so that the screen never waits for the engines (loading them
// takes longer than everything else before it). The switches gSpeak and gRecognize keep what the
// saved settings gave them: set up first, as they once were, the engines' results were overwritten by
// the settings all the same.
// Writes: gRecoAvailable, gVoiceAvailable and the engines' objects and error numbers.
void StartSpeech(StartupView& view);
// The same with engines set up elsewhere (on a thread of their own, voice::SetUpSpeechEngines).
void StartSpeech(voice::SpeechEngineSet engines, StartupView& view);

} // namespace dorva::setup
