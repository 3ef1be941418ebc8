#include "data/DiceRecord.h"
#include "data/State.h"
#include "setup/GameRecord.h"
#include "setup/NationalityList.h"
#include "setup/Scenario.h"
#include "setup/Settings.h"
#include "setup/Startup.h"
#include "support/ProgramTest.h"

#include <map>

namespace dorva {
namespace {

using namespace setup;

// Enemy, Year, Month, AC, Attitude, A1, A5, Forts, Grain, Recognize, Speak, SeeRolls, KeepLogFile,
// LogEveryRoll, WakeWord, StopWhenTalkedOver.
std::vector<int> Numbers() {
    return {gEnemyIndex,
            gYearIndex,
            gMonthIndex,
            gACNumber,
            gAttitude,
            gA1DRM,
            gA5DRM,
            gFortsSpecial,
            gHexGrain,
            voice::gRecognize,
            voice::gSpeak,
            gSeeRolls,
            data::gKeepLogFile,
            data::gLogEveryRoll,
            voice::gWakeWord ? 1 : 0,
            voice::gStopWhenTalkedOver ? 1 : 0};
}

class Settings : public test::ProgramTest {
protected:
    MemorySettingsStore store;
};

// Without a KeepLogFile (an empty one included) every setting takes its first-run default; missing and empty
// keys read zero, while damaged ones take their first-run default. A stored A1DRM of 4 is +2, a stored
// ACNumber of 2 AC number 4. A LogEveryRoll or StopWhenTalkedOver from before the option is missing,
// and reads as on.
TEST_F(Settings, LoadReadsEveryValueAndDefaultsWhatIsDamaged) {
    const std::vector<int> firstRun = {0, 1, 8, 3, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1};
    // clang-format off
    const std::tuple<std::map<std::string, std::string>, std::vector<int>, const char*> rows[] = {
        {{{"KeepLogFile", "1"}, {"Speak", "1"}, {"Recognize", "1"}, {"FileName", "German"}, {"Enemy", "2"},
          {"Year", "5"}, {"Month", "5"}, {"GameDate", "194306"}, {"A1DRM", "4"}, {"A5DRM", "0"}, {"FortsSpecial", "1"},
          {"SeeRolls", "0"}, {"ACNumber", "2"}, {"Attitude", "1"}, {"HexGrain", "1"}, {"FileLogName", "/tmp/game.txt"},
          {"LogEveryRoll", "0"}, {"WakeWord", "1"}, {"StopWhenTalkedOver", "0"}},
         {2, 5, 5, 4, 1, 2, -2, 1, 1, 1, 1, 0, 1, 0, 1, 0}, "/tmp/game.txt"},
        {{{"KeepLogFile", ""}, {"Enemy", "3"}}, firstRun, "DORVALog.txt"},
        {{{"KeepLogFile", "0"}, {"Month", ""}}, {0, 0, 0, 2, 0, -2, -2, 0, 0, 0, 0, 0, 0, 1, 0, 1}, "0"},
        {{{"KeepLogFile", "yes"}, {"Enemy", "-1"}, {"Year", "9"}, {"Month", "5x"}, {"ACNumber", "7"}, {"Attitude", "2"},
          {"A1DRM", "-1"}, {"A5DRM", "five"}, {"FortsSpecial", "3"}, {"HexGrain", "1.0"}, {"Recognize", "2"},
          {"Speak", "-1"}, {"SeeRolls", "x"}, {"LogEveryRoll", "7"}, {"WakeWord", "2"},
          {"StopWhenTalkedOver", "x"}}, firstRun, "0"}};
    // clang-format on
    for (const auto& [stored, numbers, logFile] : rows) {
        store.values = stored;
        LoadSettings(store);
        EXPECT_EQ(Numbers(), numbers) << stored.at("KeepLogFile");
        EXPECT_EQ(data::gLogFileName, logFile) << stored.at("KeepLogFile");
    }
    EXPECT_EQ(gNationality + gGameDate, ""); // set by OK, not read back
}

TEST_F(Settings, NationalitiesAreSdfFilesSortedByNameNamedBeforeTheFirstDot) {
    EXPECT_TRUE(ListSupportNationalities().empty());
    for (const char* file : {"Russian.sdf", "American.sdf", "german.sdf", "Finnish.1944.sdf", "config.sco",
                             "Italian.SDF", "notes.sdf.txt"}) {
        folder.Write(file, "x"); // Italian.SDF: the reader could not open it as Italian.sdf
    }
    std::filesystem::create_directory(folder.File("British.sdf")); // a folder is no nationality file
    EXPECT_EQ(ListSupportNationalities(),
              std::vector<std::string>({"American", "Finnish", "german", "Russian"}));
    EXPECT_EQ(NationalityOfEntry("vs. vs. X") + NationalityOfEntry("German"), "vs. XGerman");
}

// Records what start-up asks the set-up screen to show, with the values of that moment.
struct RecordingView final : StartupView {
    void ShowSpeechEngines() override {
        shown.push_back("speech " + std::to_string(voice::gRecoAvailable) +
                        std::to_string(voice::gVoiceAvailable));
    }
    void FillLists() override { shown.push_back("lists " + std::to_string(gYearIndex)); }
    void ShowLogFileName() override { shown.push_back("log " + data::gLogFileName); }
    std::vector<std::string> shown;
};

class Startup : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder.Write("config.sco", test::TableFileBuilder().List("A1", {"S"}).List("4C", {"a"}).bytes);
        folder.Write("DORVA2_What_Can_I_Say.txt", "Say \"roll\".\r\n");
        store.values = {{"KeepLogFile", "1"}, {"Year", "7"}, {"Speak", "1"}, {"FileLogName", "g.txt"}};
    }
    MemorySettingsStore store;
    RecordingView view;
};

TEST_F(Startup, SettingsListsTablesAndTheListOfCommandsInThatOrderThenTheEngines) {
    speech.loadError = 5005;
    data::gAppliedSdfTag = "GE";
    LoadGameData(store, view);
    StartSpeech(view);
    EXPECT_EQ(view.shown, std::vector<std::string>({"lists 7", "log g.txt", "speech 01"}));
    // The engines leave the saved switches alone, also where an engine failed or works unasked.
    EXPECT_EQ(std::vector<int>({voice::gSpeak, voice::gRecognize}), std::vector<int>({1, 0}));
    EXPECT_EQ(data::gTable4C, (data::ListTable{"", "a"}));
    EXPECT_FALSE(data::gAppliedSdfTag.has_value());
    EXPECT_EQ(voice::gWhatCanISayText, "Say \"roll\".\r\n");
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"DORVA_Support/config.sco has no tables A5, HR, 4A, 4B, "
                                       "3A, 3B, 3C, 3D, 3E, CC, Ad, Hd, IF, 9E. Rolls on them "
                                       "give no result."}); // named once
}

TEST_F(Startup, OkRecordsTheScenarioReadsItsTablesAndNamesIt) {
    voice::gRecoAvailable = voice::InitReco();
    voice::AddAudioLevelInterest();
    test::NationalityFileBuilder file("GE");
    file.Section("03", 194112).Texts({"early"}).Variant(194612).Texts({"late"});
    folder.Write("German.sdf", file.bytes);
    ScenarioChoice choice{"vs. German", 2, 5, 5, 4, 1, 1};
    EXPECT_EQ(CommitScenario(choice), "vs. German: June, 1943");
    EXPECT_EQ(Numbers(), std::vector<int>({2, 5, 5, 3, 0, 2, -1, 1, 0, 0, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(gNationality + " " + gGameDate, "German 194306");
    EXPECT_EQ(data::gLeaderTable, (data::ListTable{"", "late"}));
    EXPECT_EQ(voice::gRecoContext->EventInterests() & platform::kAudioLevelInterest, 0);
    EXPECT_EQ(CommitScenario({"vs. German", 0, 0, 0, 2, 2, 0}), "vs. German: January, 1938");
    EXPECT_EQ(gGameDate, "193801");
    EXPECT_EQ(data::gLeaderTable, (data::ListTable{"", "early"}));
}

class Header : public test::ProgramTest {};

TEST_F(Header, OkWritesTheGamesHeaderOncePerChangeAndAnotherGameStartsTheDiceAfresh) {
    std::tie(gNationality, gGameDate, gACNumber, gA1DRM, gHexGrain) = std::tuple{"German", "194306", 4, 1, 1};
    EXPECT_EQ(GameHeader("vs. German: June, 1943"),
              "=== vs. German: June, 1943 | AC# = 4 | Hold Attitude | +1 A1 Modifier | No A5 Modifier | "
              "Forts not special | Short grain | See roll outcomes ===");
    const std::string ac4 = "stamp: " + GameHeader("T") + "\r\n";
    RecordGameStart("T"); // no log kept: nothing written
    data::gDRStats[3] = 2;
    data::gKeepLogFile = 1;
    for (int ac : {4, 4, 5}) {
        gACNumber = ac;
        RecordGameStart("T");
    }
    EXPECT_EQ(Log(), ac4 + "stamp: " + GameHeader("T") + "\r\n");
    EXPECT_EQ(data::gDRStats[3], 2) << "the same game keeps its dice";
    NewGame();
    RecordGameStart("T"); // after a new game the header comes again
    const std::string log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3);
    data::gDRStats[3] = 2;
    gGameDate = "194307";
    RecordGameStart("T, July");
    EXPECT_EQ(data::gDRStats, data::DRStats{});
}

} // namespace
} // namespace dorva
