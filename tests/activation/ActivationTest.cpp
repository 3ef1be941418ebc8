#include "activation/ActivationRoll.h"
#include "activation/SpecialForces.h"
#include "activation/State.h"
#include "activation/UnitDetermination.h"
#include "data/Announce.h"
#include "data/Dice.h"
#include "support/ProgramTest.h"

#include <vector>

namespace dorva::activation {
namespace {

struct RecordingView : ActivationView {
    std::vector<std::string> a1Lines, specialForceLines;
    std::vector<int> selections;
    void ShowA1Line(const std::string& text) override { a1Lines.push_back(text); }
    void ShowSpecialForceLine(const std::string& text) override { specialForceLines.push_back(text); }
    void SelectUnitClass(int position) override { selections.push_back(position); }
};

class Units : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        test::LoadScenario();
        SetActivationView(&view_);
    }
    RecordingView view_;
};

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

struct CodeCase {
    const char* name;
    const char* codes; // of every A1 entry
    bool seeRolls;
    std::vector<int> dice; // the A1 roll first
    const char* text;
    void (*prepare)() = nullptr;
};

class UnitCodes : public Units, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(UnitCodes, GiveTheirLines) {
    const CodeCase& c = GetParam();
    data::gTableA1.assign(17, c.codes);
    setup::gSeeRolls = c.seeRolls ? 1 : 0;
    if (c.prepare) {
        c.prepare();
    }
    dice.Script(c.dice);
    EXPECT_EQ(DisplayActivatedUnits(), c.text);
    EXPECT_EQ(dice.Remaining(), 0u);
}

void MakeFortsSpecial() {
    setup::gFortsSpecial = 1;
}

// Mostly A1 DR 3 + 4 and unit DR 2 + 3 = 5; squads roll 4 + 4 for their class (squad DR 8).
// clang-format off
INSTANTIATE_TEST_SUITE_P(All, UnitCodes, ::testing::Values(
    CodeCase{"AfvFromTheAfvTable", "A", true, {3, 4, 2, 3, 4}, "AFV4 (x6 DR=5)\r\r"},
    CodeCase{"AfvFromTheSpgTable", "A", true, {3, 4, 2, 3, 5}, "SPG4 (x6a DR=5) (x6 DR=5)\r\r"},
    CodeCase{"SelfPropelledGun", "P", true, {3, 4, 2, 3}, "SPG4 (x6a DR=5)\r\r"},
    CodeCase{"Fortification", "F", true, {3, 4, 2, 3, 3}, "Fort4 (A5 dr=3/3)\r\r"},
    CodeCase{"Rider", "SR", true, {3, 4, 2, 3, 4, 4, 1, 1}, "Sq8 (x2 DR=8/8) as Rider (D6.2)\r\r"},
    CodeCase{"Nothing", "-", true, {3, 4, 2, 3}, "(no unit activated)\r\r"},
    CodeCase{"OtherCharacters", "X?", true, {3, 4, 2, 3, 1, 1}, "X\r?\r\r"},
    CodeCase{"SeveralUnits", "LW", true, {3, 4, 2, 3, 1, 2}, "Ldr6 (x3 DR=5)\rSW2 (x4 DR=3)\r\r"},
    CodeCase{"AfvUnseen", "A", false, {3, 4, 2, 3, 6}, "SPG4\r\r"},
    CodeCase{"RiderOnAGunUnseen", "GR", false, {3, 4, 2, 3, 1, 1}, "GunIn4\r\nGunOut4 as Rider (D6.2)\r\r"},
    // Leaders read the entry after the DR, other units the one before.
    CodeCase{"LowestEntries", "LA", false, {3, 4, 1, 1, 1, 1, 1}, "Ldr3\rAFV1\r\r"},
    CodeCase{"PastTheEndOfALoadedTable", "L", false, {3, 4, 6, 6}, "\r\r",
             [] { data::gLeaderTable = test::NumberedList("Ldr", 3); }},
    CodeCase{"MissingTables", "LWAGP", false, {3, 4, 2, 3, 2, 3, 2, 3, 1, 2, 3, 2, 3},
             "(Leader)\r(SW)\r(AFV)\r(Gun Inside)\r\n(Gun Outside)\r(SP Gun)\r\r", [] {
                 for (auto* table : {&data::gLeaderTable, &data::gSWTable, &data::gAFVTable,
                                     &data::gGunsInsideTable, &data::gGunsOutsideTable, &data::gSPGTable}) {
                     *table = test::kNotFoundList;
                 }}},
    // Without an SPG table AFVs come from the AFV table and SPGs are guns.
    CodeCase{"NoSpgTable", "AP", true, {3, 4, 2, 3, 6, 1, 1},
             "AFV4 (x6 DR=5)\rGunIn1 (x5 DR=2) Gun Inside\r\nGunOut1 (x5 DR=2) Gun Outside\r\r",
             [] { data::gSPGTableFound = false; data::gSPGTable = test::kNotFoundList; }},
    CodeCase{"SpgNoteReadsTheAfvTable", "AP", true, {3, 4, 2, 3, 5, 2, 3},
             "AFV4 (x6 DR=5) (x6 DR=5)\rAFV4 (x6 DR=5)\r\r", [] { data::gSPGTable[4] = "NOTE1"; }},
    // With forts special, a fortification follows an A1 DR that was even as rolled, unless one was drawn;
    // advancing units lay smoke instead.
    CodeCase{"FortAfterAnEvenA1", "-", true, {2, 2, 1, 1, 2}, "(no unit activated)\rFort3 (A5 dr=2/2)\r\r",
             MakeFortsSpecial},
    CodeCase{"FortAfterAnEvenA1WithAnOddFinal", "-", true, {3, 3, 1, 1, 6}, "(no unit activated)\rFort6 (A5 dr=6/6)\r\r",
             [] { MakeFortsSpecial(); setup::gA1DRM = 1; }},
    CodeCase{"NoFortAfterAnOddA1WithAnEvenFinal", "-", true, {3, 4, 1, 1}, "(no unit activated)\r\r",
             [] { MakeFortsSpecial(); setup::gA1DRM = 1; }},
    CodeCase{"OnlyTheFortDrawn", "F", true, {2, 2, 1, 1, 3}, "Fort4 (A5 dr=3/3)\r\r", MakeFortsSpecial},
    CodeCase{"SmokeWhenAdvancing", "-", true, {2, 2, 1, 1}, "(no unit activated)\rSmoke if MPh\r\r",
             [] { MakeFortsSpecial(); setup::gAttitude = 1; }},
    CodeCase{"NoFortWhenFortsAreNotSpecial", "-", true, {2, 2, 1, 1}, "(no unit activated)\r\r"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
// clang-format on

TEST_F(Units, TheA1LineAndTheEntryFollowAttitudeAndModifier) {
    // clang-format off
    for (const auto& [attitude, a1drm, die1, die2, show, text, entry] : {
             std::tuple{1, 2, 3, 4, 0, "A1 DR = 7/8", 10}, {1, -2, 1, 1, 0, "A1 DR = 2/-1", 1},
             {0, 0, 6, 6, 0, "A1 DR = 12/12", 14}, {0, -1, 6, 6, 0, "A1 DR = 12/11", 13}, {0, 0, 3, 4, 1, "A1 DR = 7/7", 9}}) {
        // clang-format on
        test::LoadScenario(); // no entry but this row's reads "Q"
        std::tie(setup::gAttitude, setup::gA1DRM, gShowActivation) = std::tuple{attitude, a1drm, show};
        data::gTableA1[static_cast<std::size_t>(entry)] = "Q";
        view_.a1Lines.clear();
        dice.Script({die1, die2, 1, 1});
        EXPECT_EQ(DisplayActivatedUnits(), "Q\r\r") << text;
        EXPECT_EQ(a1Text, text);
        EXPECT_EQ(view_.a1Lines, std::vector<std::string>{show ? "" : text});
    }
}

TEST_F(Units, SquadClassesDrawnEarlierModifyTheFortificationRoll) {
    // Elite (squad DR 10) lowers the A5 dr by one, conscript (3) raises it, first line (7) does not.
    // clang-format off
    for (const auto& [squad1, squad2, text] : {std::tuple{5, 5, "Sq10 (x2 DR=10/10)\rFort4 (A5 dr=4/3)\r\r"},
             {1, 2, "Sq3 (x2 DR=3/3)\rFort6 (A5 dr=4/5)\r\r"}, {3, 4, "Sq7 (x2 DR=7/7)\rFort5 (A5 dr=4/4)\r\r"}}) {
        // clang-format on
        data::gTableA1[9] = "SF";
        dice.Script({3, 4, 1, 1, squad1, squad2, 1, 1, 4});
        EXPECT_EQ(DisplayActivatedUnits(), text);
    }
    data::gTableA1[9] = "F"; // each activation starts afresh
    dice.Script({3, 4, 1, 1, 4});
    EXPECT_EQ(DisplayActivatedUnits(), "Fort5 (A5 dr=4/4)\r\r");
}

TEST_F(Units, TheFortificationRollIsLimitedButShowsTheUnlimitedFinal) {
    // clang-format off
    for (const auto& [elite, green, a5drm, die, text] : {
             std::tuple{0, -1, 0, 6, "Fort6 (A5 dr=6/6)"}, {1, 0, -2, 1, "Fort1 (A5 dr=1/-2)"}, {0, 1, 0, 5, "Fort6 (A5 dr=5/6)"},
             {0, 1, 2, 6, "Fort6 (A5 dr=6/9)"}, {0, -1, -1, 1, "Fort1 (A5 dr=1/0)"}, {0, -1, 2, 2, "Fort5 (A5 dr=2/4)"}}) {
        // clang-format on
        std::tie(gEliteSquad, gGreenSquadsOnly, setup::gA5DRM) = std::tuple{elite, green, a5drm};
        dice.Script({die});
        EXPECT_EQ(DetermineFortification(), text);
    }
    setup::gAttitude = 2;
    EXPECT_EQ(FortsSpecial(), "");
}

TEST_F(Units, TheSquadDateModifierIsThatOfTheLastMatchingPeriod) {
    data::gSquadModifierPeriods = {data::SquadModifierPeriod{}, {194101, 194312, -1}, {194301, 194412, 1}};
    for (const auto& [date, modifier] :
         {std::pair{"194306", 1}, {"194101", -1}, {"194412", 1}, {"194501", 0}, {"194012", 0}}) {
        setup::gGameDate = date;
        EXPECT_EQ(DetermineSquadModifiers(), modifier) << date;
    }
    setup::gGameDate = "194201"; // only the first period: the row moves down one
    dice.Script({4, 4});
    EXPECT_EQ(ShowSquads(1), "Sq7 (x2 DR=8/7)");
}

// The squad rows' classes by squad DR are LoadScenario's.
TEST_F(Units, ClassRestrictionsRerollUntilTheRowFits) {
    // clang-format off
    for (const auto& [choice, modifier, rolled, dieRoll] : std::vector<std::tuple<std::int16_t, int, std::vector<int>, int>>{
             {kClassUndecided, 0, {3, 4}, 7},           {kConscriptGreenOnly, 0, {3, 4, 2, 2}, 4},
             {kConscriptGreenOnly, 0, {3, 4, 1, 1}, 2}, {kSecondLineOnly, 0, {3, 4, 2, 3}, 5},
             {kFirstLineOnly, 0, {2, 3, 4, 4}, 8},      {kEliteOnly, 0, {6, 6, 5, 5}, 10},
             {kAllUnitClasses, 0, {6, 6}, 12},          {kAnyClassButSpecialForces, 0, {6, 6, 5, 6}, 11},
             {kSpecialForces, 0, {5, 6, 6, 6}, 12},     {kSpecialForces, 1, {6, 6, 5, 6}, 11}}) {
        // clang-format on
        specialForceClass = choice;
        dice.Script(rolled);
        EXPECT_EQ(EnforceClassRestrictions(modifier), dieRoll) << "choice " << choice;
    }
    EXPECT_EQ(data::gDRStats, (std::array<std::int32_t, 18>{})) << "class rolls are not recorded";

    // No row fits: the hundredth attempt is taken untested.
    for (auto& row : data::gSquadTable) {
        row[3] = "0";
    }
    specialForceClass = kSpecialForces;
    const int before = dice.Rolled();
    dice.Script(std::vector<int>(2 * 99, 1));
    dice.Script({3, 4, 6, 6});
    EXPECT_EQ(EnforceClassRestrictions(0), 7);
    EXPECT_EQ(dice.Rolled() - before, 200);
}

TEST_F(Units, TheFirstSquadAfterARefreshDecidesTheSpecialForceUse) {
    for (const auto& [hasSpecial, squad, line, choice] :
         {std::tuple{1, 12, kSpecialForcesUsed, kSpecialForces},
          {1, 7, kSpecialForcesNotUsed, kAnyClassButSpecialForces},
          {0, 7, kSpecialForcesNotUsed, kAllUnitClasses}}) {
        hasSpecialForces = hasSpecial;
        specialForceClass = kClassUndecided;
        view_ = RecordingView{};
        DetermineSpecialForceUse(squad);
        DetermineSpecialForceUse(squad == 12 ? 7 : 12); // once decided, later squads change nothing
        EXPECT_EQ(specialForceClass, choice);
        EXPECT_EQ(view_.specialForceLines, std::vector<std::string>{line});
        EXPECT_EQ(view_.selections, std::vector<int>{choice});
    }
}

TEST_F(Units, RecordedDiceAreTheA1UnitAfvAndFortificationRolls) {
    data::gAFVTable[4] = "a[3] b[6] ";
    data::gTableA1[9] = "SAF";
    // A1 3+4 | squad: unit 1+1, class 4+4 | AFV: unit 2+3, die 4, pick 2 | fort: unit 1+2, A5 6
    dice.Script({3, 4, 1, 1, 4, 4, 2, 3, 4, 2, 1, 2, 6});
    EXPECT_EQ(DisplayActivatedUnits(), "Sq8 (x2 DR=8/8)\ra (x6 DR=5)\rFort6 (A5 dr=6/6)\r\r");
    EXPECT_EQ(data::gDRStats, test::DrCounts({4, 6, 7 + 5, 2 + 5, 5 + 5, 3 + 5})); // DRs five slots on
}

TEST_F(Units, PickOneChoosesTheFirstAlternativeThatReachesTheDie) {
    // clang-format off
    for (const auto& [text, die, chosen] : {
             std::tuple{"a[2] b[4] c[6]", 3, "b"}, {"a[2] b[4] c[6]", 2, "a"}, {"a[2] b[4] c[6]", 6, "c"},
             {"x[1] y[2] ", 5, "x[1] y[2] "}, {"no alternatives", 4, "no alternatives"}, {"Pz 38(t)[4] Pz IIIH[6] ", 5, "Pz IIIH"}}) {
        // clang-format on
        dice.Script({die});
        EXPECT_EQ(PickOne(text), chosen) << text << " with " << die;
    }
}

TEST_F(Units, AnnouncementsGoToTheVisibleWindowTheKeptLogAndTheVoice) {
    SpeakOn();
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
TEST_F(Units, ReevaluationNeedsARollAndLeavesANaturalOneOrSix) {
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
