#include "activation/ActivationRoll.h"
#include "activation/State.h"
#include "data/Announce.h"
#include "support/ProgramTest.h"

#include <gtest/gtest.h>

namespace dorva::activation {
namespace {

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

class Rolls : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        test::LoadScenario();
        data::gTableA1[9] = "S";
        SpeakOn();
    }
};

TEST_F(Rolls, AnnouncementsGoToTheVisibleWindowTheKeptLogAndTheVoice) {
    gTempDisplayUnits = "Sq8\rLdr6\r\r";
    vasl.visible = true;
    data::gKeepLogFile = 1;
    AnnounceActivation(Outcome::Activated, "Suspect Counter Activated");
    AnnounceActivation(Outcome::AutomaticallyRemoved, "Suspect Counter Automatically Removed");
    EXPECT_EQ(vasl.text, "(S? removed)");
    EXPECT_EQ(Log(), "stamp: Sq8\r\n       Ldr6\r\nstamp: Suspect Counter Automatically Removed\r\n");
    ASSERT_EQ(speech.spoken.size(), 2u);
    EXPECT_EQ(speech.spoken[0], std::make_pair(std::string("Suspect Counter Activated"), 1));

    vasl.visible = false;
    data::gKeepLogFile = 0;
    AnnounceActivation(Outcome::Removed, "Suspect Counter Removed");
    EXPECT_EQ(vasl.text, "(S? removed)");
    EXPECT_EQ(Log(), "stamp: Sq8\r\n       Ldr6\r\nstamp: Suspect Counter Automatically Removed\r\n");
    EXPECT_EQ(speech.spoken.size(), 3u);
}

// A modifier turning the last roll is the screen's test (ActivationScreenTest); a natural 1 or 6 stays.
TEST_F(Rolls, ReevaluationNeedsARollAndLeavesANaturalOneOrSix) {
    setup::gACNumber = 3;
    EXPECT_FALSE(Reevaluate().has_value()) << "no roll yet";
    data::gModifierTable[kStoneBuilding] = -1;
    for (int natural : {1, 6}) {
        acDieRoll = natural;
        EXPECT_FALSE(Reevaluate().has_value()) << natural;
    }
}

} // namespace
} // namespace dorva::activation
