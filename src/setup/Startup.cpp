#include "setup/Startup.h"

#include "data/DiceRecord.h"
#include "data/Messages.h"
#include "data/State.h"
#include "data/SupportFolder.h"
#include "data/TableFile.h"
#include "setup/Settings.h"
#include "voice/SpeechSetup.h"
#include "voice/State.h"
#include "voice/WhatCanISay.h"

#include <string>
#include <vector>

namespace dorva::setup {
namespace {

std::string MissingTablesMessage(const std::vector<std::string>& codes) {
    std::string names;
    for (const std::string& code : codes) {
        names += (names.empty() ? "" : ", ") + code;
    }
    const std::string file = data::SupportPath("config.sco");
    return codes.size() == 1 ? file + " has no table " + names + ". Rolls on it give no result."
                             : file + " has no tables " + names + ". Rolls on them give no result.";
}

} // namespace

void LoadGameData(SettingsStore& store, StartupView& view) {
    const std::string tableFile = data::SupportPath("config.sco");
    if (!data::SupportFileExists(tableFile)) {
        data::ShowMessage(tableFile + " is not found.", true);
    }

    LoadSettings(store);
    data::LoadDiceRecord();
    view.FillLists();
    // The activation screen applies the first nationality's lists afresh.
    data::gAppliedSdfTag.reset();

    data::gModifierTable = {};
    const std::vector<std::string> missing = data::ReadTableStore(tableFile);
    if (!missing.empty()) {
        // A table the file lacks stays absent; the player hears of it once and plays on without it.
        data::ShowMessage(MissingTablesMessage(missing), false);
    }

    view.ShowLogFileName();
    voice::ReadWhatCanISayFile();
    data::gSPGTableFound = true;
}

void StartSpeech(StartupView& view) {
    voice::gRecoAvailable = voice::InitReco();
    voice::gVoiceAvailable = voice::InitVoice();
    view.ShowSpeechEngines();
}

void StartSpeech(voice::SpeechEngineSet engines, StartupView& view) {
    voice::TakeSpeechEngines(std::move(engines));
    view.ShowSpeechEngines();
}

} // namespace dorva::setup
