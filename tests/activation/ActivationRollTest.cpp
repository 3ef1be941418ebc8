#include "activation/ActivationRoll.h"
#include "ScenarioFixture.h"
#include "activation/ActivationState.h"
#include "data/Announce.h"
#include "support/FakeChannels.h"
#include "support/ScriptedDice.h"

#include <gtest/gtest.h>

namespace dorva::activation {
namespace {

using test::ScriptedDice;

TEST(Outcome, NaturalOneAndSixWinThenTheFinalDrMeetsTheAcNumber) {
    using enum Outcome;
    // clang-format off
    for (const auto& [die, final, ac, outcome] : {
             std::tuple{1, 9, 3, AutomaticallyActivated}, {1, -3, 2, AutomaticallyActivated},
             {6, 2, 5, AutomaticallyRemoved}, {6, -1, 3, AutomaticallyRemoved}, {3, 3, 3, Activated},
             {4, 4, 3, Removed}, {5, 2, 2, Activated}, {5, 5, 5, Activated}, {5, 6, 5, Removed}}) {
        // clang-format on
        EXPECT_EQ(DecideOutcome(die, final, ac), outcome) << die << " " << final << " " << ac;
    }
}

class Rolls : public ::testing::Test {
protected:
    void SetUp() override {
        test::LoadScenario();
        data::gTableA1[9] = "S";
        channels_.Install();
    }
    void TearDown() override { ResetProgramState(); }

    test::FakeChannels channels_{"dorva-activation-log"};
    test::RecordingVoice*& voice_ = channels_.voice;
    test::FakeActivationWindow& window_ = channels_.window;
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
    EXPECT_EQ(channels_.Log(), "stamp: Sq8\rLdr6\r\nstamp: Suspect Counter Automatically Removed\r\n");
    ASSERT_EQ(voice_->spoken.size(), 2u);
    EXPECT_EQ(voice_->spoken[0], std::make_pair(std::string("Suspect Counter Activated"), 1));

    window_.visible = false;
    data::gKeepLogFile = 0;
    AnnounceActivation(Outcome::Removed, "Suspect Counter Removed");
    EXPECT_EQ(window_.text, "(S? removed)");
    EXPECT_EQ(channels_.Log(), "stamp: Sq8\rLdr6\r\nstamp: Suspect Counter Automatically Removed\r\n");
    EXPECT_EQ(voice_->spoken.size(), 3u);

    // The VASL window shows each carriage return as a blank.
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

} // namespace
} // namespace dorva::activation
