#pragma once
// The fixture every test starts from: every seam a fake, and a program folder of the test's own.

#include "activation/State.h"
#include "app/ProgramState.h"
#include "data/State.h"
#include "data/SupportFolder.h"
#include "data/TableFile.h"
#include "setup/State.h"
#include "support/DataFiles.h"
#include "support/Fakes.h"
#include "voice/SpeechSetup.h"
#include "voice/State.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

namespace dorva::test {

// The file's bytes; a missing file reads as empty.
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        platform::SetActivationWindow(&vasl);
        InstallFakes();
        data::gLogFileName = folder.Root().string() + "/game.txt";
    }
    // Every seam but the VASL activation window.
    void InstallFakes() {
        platform::SetDieSource(&dice);
        platform::SetDialogs(&dialogs);
        platform::SetQuitter(&quitter);
        platform::SetClock(&clock);
        platform::SetSpeechPlatform(&speech);
    }
    void TearDown() override { ResetProgramState(); }

    void SpeakOn() {
        voice::gVoiceAvailable = voice::InitVoice();
        voice::gSpeak = 1;
    }
    std::string Log() const { return ReadFile(data::gLogFileName); }

    SupportFolder folder;
    ScriptedDice dice;
    FakeDialogs dialogs;
    FakeQuitter quitter;
    FakeClock clock;
    FakeActivationWindow vasl;
    FakeSpeechPlatform speech;
};

// Entries 1 to count named prefix + number; entry 0 empty.
inline data::ListTable NumberedList(const std::string& prefix, int count) {
    data::ListTable table(1);
    for (int i = 1; i <= count; ++i) {
        table.push_back(prefix + std::to_string(i));
    }
    return table;
}

// Entries named by table and number, so that a text shows the entry a roll read; Hold attitude, no modifiers,
// see-rolls on, every A1 entry "-". Squad rows 1 to 15 serve final squad DRs 0 to 14 as "SqN" and "HsN" (N
// the final DR); classes by DR 2-3 "C", 4 "G", 5-6 "2", 7-9 "1", 10-12 "E", others "1"; 12 special force.
inline void LoadScenario() {
    data::gTableA1 = data::ListTable(17, "-");
    data::gTableA5 = NumberedList("Fort", 6);
    data::gSquadTable = data::SquadTable(1);
    for (int dr = 0; dr <= 14; ++dr) {
        const auto n = std::to_string(dr);
        data::gSquadTable.push_back(
            {"", "Sq" + n, "Hs" + n, dr == 12 ? "1" : "0", std::string(1, "11CCG22111EEE11"[dr])});
    }
    data::gSquadModifierPeriods = {data::SquadModifierPeriod{}};
    data::gLeaderTable = NumberedList("Ldr", 14);
    data::gSWTable = NumberedList("SW", 11);
    data::gAFVTable = NumberedList("AFV", 11);
    data::gGunsInsideTable = NumberedList("GunIn", 11);
    data::gGunsOutsideTable = NumberedList("GunOut", 11);
    data::gSPGTable = NumberedList("SPG", 11);
    data::gScenarioNotes = {"", "First note", "Second note"};
    data::gSdfTag = "GE";
    setup::gGameDate = "194306";
}

// The lists of the actions screens, each entry named by its table and position ("3B-11") so that a text
// shows which entry a roll read; every unit action is "Fire" when holding and "Move" when advancing.
inline void LoadActionTables() {
    // clang-format off
    for (const auto& [table, name, count] : {std::tuple{&data::gTable4A, "4A-", 11}, {&data::gTable4B, "4B-", 11},
             {&data::gTable4C, "4C-", 11}, {&data::gTable3A, "3A-", 11}, {&data::gTable3B, "3B-", 11},
             {&data::gTable3C, "3C-", 11}, {&data::gTable3D, "3D-", 11}, {&data::gTable3E, "3E-", 6}}) {
        // clang-format on
        *table = NumberedList(name, count);
    }
    data::gTableCC = {"", "Take an NTC\r\nPass: advance"};
    data::gTableHd = data::ListTable(12, "Fire");
    data::gTableAd = data::ListTable(12, "Move");
}

// Suspect locations: rows 0 to 5 "at N" shown and in files, "say N" over VASL and spoken; row 6 empty.
inline void LoadLocations() {
    data::gTable9E.Create(7, 2);
    for (int row = 0; row <= 5; ++row) {
        data::gTable9E.CellRef(row, 0) = "at " + std::to_string(row);
        data::gTable9E.CellRef(row, 1) = "say " + std::to_string(row);
    }
}

inline std::string EveryTableFile() {
    TableFileBuilder file;
    for (const std::string code : data::kTableCodes) {
        code == "IF" || code == "9E" ? file.Grid(code, {{"a"}}) : file.List(code, {"a"});
    }
    return file.bytes;
}

// Reads the tables the build ships (the program folder then points there); returns the missing codes.
inline std::vector<std::string> ReadShippedTables() {
    const char* binary = std::getenv("DORVA_TEST_BINARY_DIR");
    data::gProgramFolder = std::filesystem::path(binary ? binary : ".") / "bin";
    return data::ReadTableStore(data::SupportPath("config.sco"));
}

// The nationalities the build ships, by name, sorted (after ReadShippedTables).
inline std::vector<std::string> ShippedNationalities() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(data::gProgramFolder / "DORVA_Support")) {
        if (entry.path().extension() == ".sdf") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The shipped hex-row list: "A" to "Z" at positions 1 to 26, then "AA" to "ZZ" at 27 to 52.
inline data::ListTable HexRows() {
    data::ListTable rows(1);
    for (std::size_t letters = 1; letters <= 2; ++letters) {
        for (char c = 'A'; c <= 'Z'; ++c) {
            rows.push_back(std::string(letters, c));
        }
    }
    return rows;
}

inline const data::ListTable kNotFoundList = {data::kTableNotFound, ""};

// The die-roll statistics after one roll counted in each slot given; slot 0 stands for none.
inline std::array<std::int32_t, 18> DrCounts(const std::vector<int>& places) {
    std::array<std::int32_t, 18> counts{};
    for (const int slot : places) {
        counts[static_cast<std::size_t>(slot)] += slot != 0 ? 1 : 0;
    }
    return counts;
}

} // namespace dorva::test
