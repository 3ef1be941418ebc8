#include "activation/ActivationRoll.h"
#include "ScenarioFixture.h"
#include "activation/ActivationState.h"
#include "data/Announce.h"
#include "support/ScriptedDice.h"
#include "voice/SpeechState.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace dorva::activation {
namespace {

using test::ScriptedDice;

TEST(Outcome, NaturalOneAndSixWinThenTheFinalDrMeetsTheAcNumber) {
    struct Case {
        int die, final, ac;
        Outcome outcome;
    };
    for (const Case c :
         {Case{1, 9, 3, Outcome::AutomaticallyActivated}, Case{1, -3, 2, Outcome::AutomaticallyActivated},
          Case{6, 2, 5, Outcome::AutomaticallyRemoved}, Case{6, -1, 3, Outcome::AutomaticallyRemoved},
          Case{3, 3, 3, Outcome::Activated}, Case{4, 4, 3, Outcome::Removed}, Case{2, 4, 3, Outcome::Removed},
          Case{5, 2, 2, Outcome::Activated}, Case{5, 5, 5, Outcome::Activated},
          Case{5, 6, 5, Outcome::Removed}}) {
        EXPECT_EQ(DecideOutcome(c.die, c.final, c.ac), c.outcome) << c.die << " " << c.final << " " << c.ac;
    }
}

TEST(Outcome, TextsColoursAndWhatTheChannelsReceive) {
    ResetActivationState();
    gTempDisplayUnits = "Sq8\r\r";
    struct Case {
        Outcome outcome;
        const char* line;
        Rgb colour;
        const char* vasl;
        const char* log;
    };
    for (const Case& c :
         {Case{Outcome::AutomaticallyRemoved,
               "Suspect Counter Automatically Removed",
               {255, 0, 0},
               "(S? removed)",
               "Suspect Counter Automatically Removed"},
          Case{Outcome::AutomaticallyActivated,
               "Suspect Counter Automatically Activated",
               {0, 0, 255},
               "Sq8\r\r",
               "Sq8\r\r"},
          Case{Outcome::Activated, "Suspect Counter Activated", {0, 0, 0}, "Sq8\r\r", "Sq8\r\r"},
          Case{Outcome::Removed, "Suspect Counter Removed", {0, 0, 0}, "(S? removed)", "(S? removed)"}}) {
        EXPECT_EQ(ResultText(c.outcome), c.line);
        EXPECT_EQ(ResultColour(c.outcome), c.colour) << c.line;
        EXPECT_EQ(VaslText(c.outcome), c.vasl) << c.line;
        EXPECT_EQ(LogText(c.outcome), c.log) << c.line;
    }
}

TEST(Modifiers, ControlsMapToSignedEntriesAndTheTotalShowsItsSign) {
    ResetProgramState();
    EXPECT_EQ(CheckModifier(true), -1);
    EXPECT_EQ(CheckModifier(false), 0);
    EXPECT_EQ(HeightModifier(4), -4);
    EXPECT_EQ(TerrainModifier(2), 2);
    data::gModifierTable = {9, -1, -1, -1, -4, 0}; // entry 0 is not a modifier
    EXPECT_EQ(TotalModifiers(), -7);
    struct Case {
        int total;
        const char* shown;
    };
    for (const Case c : {Case{0, " 0"}, Case{1, " 1"}, Case{2, " 2"}, Case{-2, "-2"}, Case{-7, "-7"}}) {
        EXPECT_EQ(ModifiersText(c.total), c.shown);
    }
}

class RecordingVoice : public voice::Voice {
public:
    std::vector<std::pair<std::string, int>> spoken;
    long Speak(const std::string& text, int flags) override {
        spoken.emplace_back(text, flags);
        return 1;
    }
};

class FakeVaslWindow : public data::ActivationWindowChannel {
public:
    bool visible = false;
    std::string text = "hint";
    bool IsVisible() override { return visible; }
    void SetText(const std::string& t) override { text = t; }
};

class Rolls : public ::testing::Test {
protected:
    void SetUp() override {
        test::LoadScenario();
        data::gTableA1[9] = "S";
        auto v = std::make_unique<RecordingVoice>();
        voice_ = v.get();
        voice::gVoice = std::move(v);
        data::gSpeak = 1;
        data::gVoiceAvailable = 1;
        data::SetActivationWindowChannel(&window_);
        data::SetLogClock([] { return std::string("stamp"); });
        log_ =
            std::filesystem::temp_directory_path() / ("dorva-activation-log-" + std::to_string(::getpid()));
        std::filesystem::remove(log_);
        data::gLogFileName = log_.string();
    }
    void TearDown() override {
        ResetProgramState();
        std::filesystem::remove(log_);
    }
    std::string Log() const {
        std::ifstream in(log_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    RecordingVoice* voice_ = nullptr;
    FakeVaslWindow window_;
    std::filesystem::path log_;
};

TEST_F(Rolls, TheRollKeepsTheDieTheFinalDrAndTheUnitsOfEveryRoll) {
    data::gModifierTable[kTerrain] = 2;
    setup::gACNumber = 3;
    // Die 2, A1 3+4, unit 1+1, squad 4+4: the units are determined although the counter is removed.
    ScriptedDice dice{2, 3, 4, 1, 1, 4, 4};
    EXPECT_EQ(RollActivation(), Outcome::Removed);
    EXPECT_EQ(acDieRoll, 2);
    EXPECT_EQ(finalDieRoll, 4);
    EXPECT_EQ(gTempDisplayUnits, "Sq8 (x2 DR=8/8)\r\r");
    EXPECT_EQ(a1Text, "A1 DR = 7/7");
    EXPECT_EQ(data::gDRStats[2], 1) << "the activation die is recorded";
}

TEST_F(Rolls, AnnouncementsGoToTheVisibleWindowTheKeptLogAndTheVoice) {
    gTempDisplayUnits = "Sq8\rLdr6\r\r";
    window_.visible = true;
    data::gKeepLogFile = 1;
    AnnounceActivation(Outcome::Activated, "Suspect Counter Activated");
    AnnounceActivation(Outcome::AutomaticallyRemoved, "Suspect Counter Automatically Removed");
    EXPECT_EQ(window_.text, "(S? removed)");
    EXPECT_EQ(Log(), "stamp: Sq8\rLdr6\r\nstamp: Suspect Counter Automatically Removed\r\n");
    ASSERT_EQ(voice_->spoken.size(), 2u);
    EXPECT_EQ(voice_->spoken[0], std::make_pair(std::string("Suspect Counter Activated"), 1));

    window_.visible = false;
    data::gKeepLogFile = 0;
    AnnounceActivation(Outcome::Removed, "Suspect Counter Removed");
    EXPECT_EQ(window_.text, "(S? removed)");
    EXPECT_EQ(Log(), "stamp: Sq8\rLdr6\r\nstamp: Suspect Counter Automatically Removed\r\n");
    EXPECT_EQ(voice_->spoken.size(), 3u);
}

TEST_F(Rolls, TheVaslWindowGetsTheUnitsWithBlanksForCarriageReturns) {
    gTempDisplayUnits = "GunIn4\r\nGunOut4\r\r";
    window_.visible = true;
    AnnounceActivation(Outcome::AutomaticallyActivated, "Suspect Counter Automatically Activated");
    EXPECT_EQ(window_.text, "GunIn4  \nGunOut4    ");
}

TEST_F(Rolls, ReevaluationUsesTheLastRollWithTheModifiersAsTheyAreNow) {
    setup::gACNumber = 3;
    EXPECT_FALSE(Reevaluate().has_value()) << "no roll yet";
    acDieRoll = 4;
    EXPECT_EQ(Reevaluate(), Outcome::Removed);
    data::gModifierTable[kStoneBuilding] = -1;
    EXPECT_EQ(Reevaluate(), Outcome::Activated);
    for (int natural : {1, 6}) {
        acDieRoll = natural;
        EXPECT_FALSE(Reevaluate().has_value()) << natural;
    }
}

TEST_F(Rolls, ManualActivationSendsTheUnitsButSpeaksNothing) {
    window_.visible = true;
    data::gKeepLogFile = 1;
    ScriptedDice dice{3, 4, 1, 1, 4, 4};
    EXPECT_EQ(ManualActivation(), "Sq8 (x2 DR=8/8)\r\r");
    EXPECT_EQ(window_.text, "Sq8 (x2 DR=8/8)    ");
    EXPECT_EQ(Log(), "stamp: Sq8 (x2 DR=8/8)\r\n");
    EXPECT_TRUE(voice_->spoken.empty());
    EXPECT_TRUE(gTempDisplayUnits.empty());
    EXPECT_FALSE(acDieRoll.has_value());
}

} // namespace
} // namespace dorva::activation
