#include "setup/Settings.h"
#include "data/Announce.h"
#include "setup/FileFilter.h"
#include "setup/Params.h"
#include "voice/SpeechState.h"

#include <gtest/gtest.h>

using namespace dorva;
using namespace dorva::setup;

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        ResetParams();
        data::ResetAnnounce();
        voice::ResetSpeechState();
    }
    MemorySettingsStore store;
};

TEST_F(Settings, FirstRunTakesEveryDefault) {
    // Values of an earlier run in the variables must not survive.
    gEnemyIndex = 4;
    gACNumber = 5;
    gSeeRolls = 0;
    data::gSpeak = 1;
    voice::gRecognize = 1;
    data::gKeepLogFile = 1;
    data::gLogFileName = "old.txt";
    store.values = {{"KeepLogFile", ""}, {"Enemy", "3"}}; // an empty KeepLogFile is no settings
    LoadSettings(store);
    EXPECT_EQ(gEnemyIndex, 0);
    EXPECT_EQ(gYearIndex, 1);
    EXPECT_EQ(gMonthIndex, 8);
    EXPECT_EQ(gACNumber, 3);
    EXPECT_EQ(gAttitude, 0);
    EXPECT_EQ(gA1DRM, 2);
    EXPECT_EQ(gA5DRM, 2);
    EXPECT_EQ(gFortsSpecial, 0);
    EXPECT_EQ(gHexGrain, 0);
    EXPECT_EQ(voice::gRecognize, 0);
    EXPECT_EQ(data::gSpeak, 0);
    EXPECT_EQ(gSeeRolls, 1);
    EXPECT_EQ(data::gKeepLogFile, 0);
    EXPECT_EQ(data::gLogFileName, "DORVALog.txt");
}

TEST_F(Settings, SavedValuesReadBackInTheirForms) {
    store.values = {
        {"KeepLogFile", "1"}, {"Speak", "1"},    {"Recognize", "1"},    {"FileName", "German"},
        {"Enemy", "2"},       {"Year", "5"},     {"Month", "5"},        {"GameDate", "194306"},
        {"A1DRM", "4"},       {"A5DRM", "0"},    {"FortsSpecial", "1"}, {"SeeRolls", "0"},
        {"ACNumber", "2"},    {"Attitude", "1"}, {"HexGrain", "1"},     {"FileLogName", "/tmp/game.txt"}};
    LoadSettings(store);
    EXPECT_EQ(gEnemyIndex, 2);
    EXPECT_EQ(gYearIndex, 5);
    EXPECT_EQ(gMonthIndex, 5);
    EXPECT_EQ(gACNumber, 4); // stored 2, AC number 4
    EXPECT_EQ(gAttitude, 1);
    EXPECT_EQ(gA1DRM, 4); // still the list position; the set-up lists make +2 of it
    EXPECT_EQ(gA5DRM, 0);
    EXPECT_EQ(gFortsSpecial, 1);
    EXPECT_EQ(gHexGrain, 1);
    EXPECT_EQ(voice::gRecognize, 1);
    EXPECT_EQ(data::gSpeak, 1);
    EXPECT_EQ(gSeeRolls, 0);
    EXPECT_EQ(data::gKeepLogFile, 1);
    EXPECT_EQ(data::gLogFileName, "/tmp/game.txt");
    // Not read back: they are set by OK.
    EXPECT_EQ(gNationality, "");
    EXPECT_EQ(gGameDate, "");
}

TEST_F(Settings, MissingKeysAmongSavedSettingsReadZero) {
    store.values = {{"KeepLogFile", "0"}};
    LoadSettings(store);
    EXPECT_EQ(gACNumber, 2);
    EXPECT_EQ(gYearIndex, 0);
    EXPECT_EQ(gMonthIndex, 0);
    EXPECT_EQ(gSeeRolls, 0);
    EXPECT_EQ(gA1DRM, 0);
    EXPECT_EQ(data::gLogFileName, "0");
}

TEST(SettingsNumbers, TextWhereANumberIsExpectedGivesItsLeadingNumber) {
    const std::pair<const char*, int> cases[] = {
        {"3", 3},
        {" 7", 7},
        {"-1", -1},
        {"+2", 2},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"1.5", 1},
        {" -0", 0},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(LeadingNumber(text), number) << '"' << text << '"';
    }
}

TEST_F(Settings, GetParamGivesZeroForMissingOrEmpty) {
    store.values = {{"Year", "4"}, {"Month", ""}};
    EXPECT_EQ(GetParam(store, "Year"), "4");
    EXPECT_EQ(GetParam(store, "Month"), "0");
    EXPECT_EQ(GetParam(store, "Enemy"), "0");
}

TEST_F(Settings, SaveWritesEveryKeyInOrderInItsStoredForm) {
    data::gKeepLogFile = 1;
    data::gSpeak = 0;
    voice::gRecognize = 1;
    gNationality = "German";
    gEnemyIndex = 1;
    gYearIndex = 5;
    gMonthIndex = 5;
    gGameDate = "194306";
    gA1DRM = 1;
    gA5DRM = -2;
    gFortsSpecial = 1;
    gSeeRolls = 0;
    gACNumber = 5;
    gAttitude = 1;
    gHexGrain = 1;
    data::gLogFileName = "game.txt";
    SaveSettings(store);
    const std::vector<std::string> order = {"KeepLogFile", "Speak",    "Recognize",    "FileName",
                                            "Enemy",       "Year",     "Month",        "GameDate",
                                            "A1DRM",       "A5DRM",    "FortsSpecial", "SeeRolls",
                                            "ACNumber",    "Attitude", "HexGrain",     "FileLogName"};
    EXPECT_EQ(store.writes, order);
    const std::map<std::string, std::string> expected = {
        {"KeepLogFile", "1"}, {"Speak", "0"},    {"Recognize", "1"},    {"FileName", "German"},
        {"Enemy", "1"},       {"Year", "5"},     {"Month", "5"},        {"GameDate", "194306"},
        {"A1DRM", "3"},       {"A5DRM", "0"},    {"FortsSpecial", "1"}, {"SeeRolls", "0"},
        {"ACNumber", "3"},    {"Attitude", "1"}, {"HexGrain", "1"},     {"FileLogName", "game.txt"}};
    EXPECT_EQ(store.values, expected);
}

TEST_F(Settings, BeforeTheFirstOkNationalityAndDateAreWrittenEmpty) {
    SaveSettings(store);
    EXPECT_EQ(store.values.at("FileName"), "");
    EXPECT_EQ(store.values.at("GameDate"), "");
    EXPECT_EQ(store.writes.size(), 16u);
}

TEST(GameDate, YearAndMonthPositions) {
    EXPECT_EQ(MakeGameDate(0, 0), "193801");
    EXPECT_EQ(MakeGameDate(5, 5), "194306");
    EXPECT_EQ(MakeGameDate(8, 11), "194612");
}

TEST(FileFilter, WindowsFiltersInQtForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"DORVA Log Files (*.txt) | *.txt", "DORVA Log Files (*.txt)"},
        {"Text|*.txt", "Text (*.txt)"},
        {"Text (*.txt)|*.txt|All Files (*.*)|*.*", "Text (*.txt);;All Files (*.*)"},
        {"Pictures|*.png;*.jpg", "Pictures (*.png *.jpg)"},
    };
    for (const auto& [windows, qt] : cases) {
        EXPECT_EQ(QtFileFilter(windows), qt) << windows;
    }
}

} // namespace
