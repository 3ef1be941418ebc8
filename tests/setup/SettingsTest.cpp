#include "setup/Settings.h"
#include "data/Announce.h"
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
    // Enemy, Year, Month, AC, Attitude, A1, A5, Forts, Grain, Recognize, Speak, SeeRolls, KeepLogFile.
    static std::vector<int> Numbers() {
        return {gEnemyIndex,  gYearIndex, gMonthIndex,       gACNumber, gAttitude,
                gA1DRM,       gA5DRM,     gFortsSpecial,     gHexGrain, voice::gRecognize,
                data::gSpeak, gSeeRolls,  data::gKeepLogFile};
    }
    MemorySettingsStore store;
};

TEST_F(Settings, FirstRunTakesEveryDefault) {
    // Values of an earlier run in the variables must not survive.
    gEnemyIndex = 4;
    gACNumber = 5;
    gSeeRolls = 0;
    data::gSpeak = voice::gRecognize = data::gKeepLogFile = 1;
    data::gLogFileName = "old.txt";
    store.values = {{"KeepLogFile", ""}, {"Enemy", "3"}}; // an empty KeepLogFile is no settings
    LoadSettings(store);
    EXPECT_EQ(Numbers(), std::vector<int>({0, 1, 8, 3, 0, 2, 2, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(data::gLogFileName, "DORVALog.txt");
}

TEST_F(Settings, SavedValuesReadBackInTheirForms) {
    store.values = {
        {"KeepLogFile", "1"}, {"Speak", "1"},    {"Recognize", "1"},    {"FileName", "German"},
        {"Enemy", "2"},       {"Year", "5"},     {"Month", "5"},        {"GameDate", "194306"},
        {"A1DRM", "4"},       {"A5DRM", "0"},    {"FortsSpecial", "1"}, {"SeeRolls", "0"},
        {"ACNumber", "2"},    {"Attitude", "1"}, {"HexGrain", "1"},     {"FileLogName", "/tmp/game.txt"}};
    LoadSettings(store);
    // A1DRM stays the list position; the set-up lists make +2 of it. A stored 2 is AC number 4.
    EXPECT_EQ(Numbers(), std::vector<int>({2, 5, 5, 4, 1, 4, 0, 1, 1, 1, 1, 0, 1}));
    EXPECT_EQ(data::gLogFileName, "/tmp/game.txt");
    // Not read back: they are set by OK.
    EXPECT_EQ(gNationality, "");
    EXPECT_EQ(gGameDate, "");
}

TEST_F(Settings, MissingOrEmptyKeysAmongSavedSettingsReadZero) {
    store.values = {{"KeepLogFile", "0"}, {"Month", ""}};
    EXPECT_EQ(GetParam(store, "Month"), "0");
    EXPECT_EQ(GetParam(store, "Enemy"), "0");
    LoadSettings(store);
    EXPECT_EQ(std::vector<int>({gACNumber, gYearIndex, gSeeRolls}), std::vector<int>({2, 0, 0}));
    EXPECT_EQ(data::gLogFileName, "0");
}

TEST(SettingsNumbers, TextWhereANumberIsExpectedGivesItsLeadingNumber) {
    std::vector<int> numbers;
    for (const char* text : {" 7", "-1", "+2", "12abc", "abc", "", "-", "99999999999", "-99999999999"}) {
        numbers.push_back(LeadingNumber(text));
    }
    EXPECT_EQ(numbers, std::vector<int>({7, -1, 2, 12, 0, 0, 0, 2147483647, -2147483647 - 1}));
}

TEST_F(Settings, SaveWritesEveryKeyInOrderInItsStoredForm) {
    data::gKeepLogFile = voice::gRecognize = 1;
    data::gSpeak = gSeeRolls = 0;
    gNationality = "German";
    gGameDate = MakeGameDate(5, 5);
    gEnemyIndex = gFortsSpecial = gAttitude = gHexGrain = gA1DRM = 1;
    gYearIndex = gMonthIndex = gACNumber = 5;
    gA5DRM = -2;
    data::gLogFileName = "game.txt";
    SaveSettings(store);
    std::string written;
    for (const std::string& key : store.writes) {
        written += key + "=" + store.values.at(key) + " ";
    }
    EXPECT_EQ(written,
              "KeepLogFile=1 Speak=0 Recognize=1 FileName=German Enemy=1 Year=5 Month=5 GameDate=194306 "
              "A1DRM=3 A5DRM=0 FortsSpecial=1 SeeRolls=0 ACNumber=3 Attitude=1 HexGrain=1 "
              "FileLogName=game.txt ");
    EXPECT_EQ(MakeGameDate(8, 11), "194612");
}

} // namespace
