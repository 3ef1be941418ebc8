#pragma once
// The start-up loader: speech engines, saved settings, the set-up lists, the rule tables and the list
// of spoken commands, in that order.

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

// Sets up recognition and the voice, ends the program with "DORVA_Support/config.sco is not found."
// when the table file is missing, reads the saved settings, has the lists filled, reads the table
// store (naming once any table the file lacks) and the "What Can I Say?" list.
// Writes: gRecoAvailable, gRecognize, gVoiceAvailable, gSpeak, the saved settings' values,
// gModifierTable, the table store, gAppliedSdfTag, gWhatCanISayText, gSPGTableFound.
void LoadGameData(SettingsStore& store, StartupView& view);

} // namespace dorva::setup
