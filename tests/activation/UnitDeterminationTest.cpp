#include "activation/UnitDetermination.h"
#include "ScenarioFixture.h"
#include "activation/ActivationState.h"
#include "activation/Listings.h"
#include "activation/SpecialForces.h"
#include "data/Dice.h"
#include "support/ScriptedDice.h"

#include <gtest/gtest.h>
#include <vector>

namespace dorva::activation {
namespace {

using test::ScriptedDice;

class RecordingView : public ActivationView {
public:
    std::vector<std::string> a1Lines, specialForceLines;
    std::vector<int> selections;
    void ShowA1Line(const std::string& text) override { a1Lines.push_back(text); }
    void ShowSpecialForceLine(const std::string& text) override { specialForceLines.push_back(text); }
    void SelectUnitClass(int position) override { selections.push_back(position); }
};

class Units : public ::testing::Test {
protected:
    void SetUp() override {
        test::LoadScenario();
        SetActivationView(&view_);
    }
    void TearDown() override { ResetProgramState(); }

    // The A1 roll 3 + 4 (final 7 without modifiers) reads entry 9.
    static void SetRolledSevenEntry(const std::string& codes) { data::gTableA1[9] = codes; }

    RecordingView view_;
};

struct CodeCase {
    const char* name;
    const char* codes;
    bool seeRolls;
    std::vector<int> dice; // after the A1 roll 3, 4
    const char* text;
};

class UnitCodes : public Units, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(UnitCodes, GiveTheirLines) {
    const CodeCase& c = GetParam();
    SetRolledSevenEntry(c.codes);
    setup::gSeeRolls = c.seeRolls ? 1 : 0;
    ScriptedDice dice{3, 4};
    dice.AddAll(c.dice);
    EXPECT_EQ(DisplayActivatedUnits(), c.text);
    EXPECT_EQ(dice.Remaining(), 0u);
}

// Unit DR 2 + 3 = 5 in every case; squads roll 4 + 4 (squad DR 8).
INSTANTIATE_TEST_SUITE_P(
    SeeRolls, UnitCodes,
    ::testing::Values(
        CodeCase{"Squad", "S", true, {2, 3, 4, 4}, "Sq8 (x2 DR=8/8)\r\r"},
        CodeCase{"HalfSquad", "H", true, {2, 3, 4, 4}, "Hs8 (x2 DR=8/8)\r\r"},
        CodeCase{"Leader", "L", true, {2, 3}, "Ldr6 (x3 DR=5)\r\r"},
        CodeCase{"SupportWeapon", "W", true, {2, 3}, "SW4 (x4 DR=5)\r\r"},
        CodeCase{"AfvFromTheAfvTable", "A", true, {2, 3, 4}, "AFV4 (x6 DR=5)\r\r"},
        CodeCase{"AfvFromTheSpgTable", "A", true, {2, 3, 5}, "SPG4 (x6a DR=5) (x6 DR=5)\r\r"},
        CodeCase{
            "Gun", "G", true, {2, 3}, "GunIn4 (x5 DR=5) Gun Inside\r\nGunOut4 (x5 DR=5) Gun Outside\r\r"},
        CodeCase{"SelfPropelledGun", "P", true, {2, 3}, "SPG4 (x6a DR=5)\r\r"},
        CodeCase{"Fortification", "F", true, {2, 3, 3}, "Fort4 (A5 dr=3/3)\r\r"},
        CodeCase{"Rider", "SR", true, {2, 3, 4, 4, 1, 1}, "Sq8 (x2 DR=8/8) as Rider (D6.2)\r\r"},
        CodeCase{"Nothing", "-", true, {2, 3}, "(no unit activated)\r\r"},
        CodeCase{"OtherCharacters", "X?", true, {2, 3, 1, 1}, "X\r?\r\r"},
        CodeCase{"SeveralUnits", "LW", true, {2, 3, 1, 2}, "Ldr6 (x3 DR=5)\rSW2 (x4 DR=3)\r\r"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    NoSeeRolls, UnitCodes,
    ::testing::Values(CodeCase{"Squad", "S", false, {2, 3, 4, 4}, "Sq8\r\r"},
                      CodeCase{"Leader", "L", false, {2, 3}, "Ldr6\r\r"},
                      CodeCase{"Afv", "A", false, {2, 3, 6}, "SPG4\r\r"},
                      CodeCase{"Gun", "G", false, {2, 3}, "GunIn4\r\nGunOut4\r\r"},
                      CodeCase{"Fortification", "F", false, {2, 3, 3}, "Fort4\r\r"},
                      CodeCase{
                          "RiderOnAGun", "GR", false, {2, 3, 1, 1}, "GunIn4\r\nGunOut4 as Rider (D6.2)\r\r"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(Units, MissingNationalityTablesGiveTheirDefaultTexts) {
    for (data::ListTable* table : {&data::gLeaderTable, &data::gSWTable, &data::gAFVTable,
                                   &data::gGunsInsideTable, &data::gGunsOutsideTable, &data::gSPGTable}) {
        *table = test::NotFoundList();
    }
    setup::gSeeRolls = 0;
    SetRolledSevenEntry("LWAGP");
    ScriptedDice dice{3, 4, 2, 3, 2, 3, 2, 3, 1, 2, 3, 2, 3};
    EXPECT_EQ(DisplayActivatedUnits(), "(Leader)\r(SW)\r(AFV)\r(Gun Inside)\r\n(Gun Outside)\r(SP Gun)\r\r");
}

TEST_F(Units, WithoutAnSpgTableAfvsComeFromTheAfvTableAndSpgsAreGuns) {
    data::gSPGTableFound = false;
    data::gSPGTable = test::NotFoundList();
    SetRolledSevenEntry("AP");
    ScriptedDice dice{3, 4, 2, 3, 6, 1, 1};
    EXPECT_EQ(DisplayActivatedUnits(),
              "AFV4 (x6 DR=5)\rGunIn1 (x5 DR=2) Gun Inside\r\nGunOut1 (x5 DR=2) Gun Outside\r\r");
}

TEST_F(Units, AnSpgNoteReferringToTheAfvTableReadsIt) {
    data::gSPGTable[4] = "NOTE1";
    SetRolledSevenEntry("AP");
    ScriptedDice dice{3, 4, 2, 3, 5, 2, 3};
    EXPECT_EQ(DisplayActivatedUnits(), "AFV4 (x6 DR=5) (x6 DR=5)\rAFV4 (x6 DR=5)\r\r");
}

TEST_F(Units, AnAfvWithAlternativesPicksOne) {
    data::gAFVTable[4] = "PzIIIJ[3] PzIVF2[6] ";
    SetRolledSevenEntry("A");
    ScriptedDice dice{3, 4, 2, 3, 4, 5};
    EXPECT_EQ(DisplayActivatedUnits(), "PzIVF2 (x6 DR=5)\r\r");
}

TEST_F(Units, LeadersReadTheEntryAfterTheDrAndOtherUnitsTheOneBefore) {
    SetRolledSevenEntry("LA");
    setup::gSeeRolls = 0;
    ScriptedDice dice{3, 4, 1, 1, 1, 1, 1};
    EXPECT_EQ(DisplayActivatedUnits(), "Ldr3\rAFV1\r\r");
}

TEST_F(Units, AnEntryPastTheEndOfALoadedTableIsEmpty) {
    data::gLeaderTable = test::NumberedList("Ldr", 3);
    SetRolledSevenEntry("L");
    setup::gSeeRolls = 0;
    ScriptedDice dice{3, 4, 6, 6};
    EXPECT_EQ(DisplayActivatedUnits(), "\r\r");
}

struct A1Case {
    int attitude, a1drm, die1, die2;
    const char* a1Line;
    int entry;
};

TEST_F(Units, TheA1LineAndTheEntryFollowAttitudeAndModifier) {
    for (const A1Case c : {A1Case{1, 2, 3, 4, "A1 DR = 7/8", 10}, A1Case{0, 0, 3, 4, "A1 DR = 7/7", 9},
                           A1Case{1, -2, 1, 1, "A1 DR = 2/-1", 1}, A1Case{0, 0, 6, 6, "A1 DR = 12/12", 14},
                           A1Case{0, -1, 6, 6, "A1 DR = 12/11", 13}}) {
        test::LoadScenario();
        SetActivationView(&view_);
        setup::gAttitude = c.attitude;
        setup::gA1DRM = c.a1drm;
        data::gTableA1[static_cast<std::size_t>(c.entry)] = "Q";
        view_.a1Lines.clear();
        ScriptedDice dice{c.die1, c.die2, 1, 1};
        EXPECT_EQ(DisplayActivatedUnits(), "Q\r\r") << c.a1Line;
        EXPECT_EQ(a1Text, c.a1Line);
        EXPECT_EQ(view_.a1Lines, std::vector<std::string>{c.a1Line});
    }
}

TEST_F(Units, TheA1LineIsHiddenWhenThePlayerOnlyWantsTheRoll) {
    gShowActivation = 1;
    ScriptedDice dice{3, 4, 1, 1};
    DisplayActivatedUnits();
    EXPECT_EQ(a1Text, "A1 DR = 7/7");
    EXPECT_EQ(view_.a1Lines, std::vector<std::string>{""});
}

struct EvenA1Case {
    const char* name;
    int fortsSpecial, attitude, a1drm, die1, die2;
    const char* codes; // of the entry the final A1 DR reads
    std::vector<int> more;
    const char* text;
};

TEST_F(Units, AFortificationFollowsAnEvenA1AsRolledWhenFortsAreSpecial) {
    const std::vector<EvenA1Case> cases = {
        {"even", 1, 0, 0, 2, 2, "-", {1, 1, 2}, "(no unit activated)\rFort3 (A5 dr=2/2)\r\r"},
        {"odd", 1, 0, 0, 3, 4, "-", {1, 1}, "(no unit activated)\r\r"},
        {"even rolled, odd final",
         1,
         0,
         1,
         3,
         3,
         "-",
         {1, 1, 6},
         "(no unit activated)\rFort6 (A5 dr=6/6)\r\r"},
        {"odd rolled, even final", 1, 0, 1, 3, 4, "-", {1, 1}, "(no unit activated)\r\r"},
        {"fortification already drawn", 1, 0, 0, 2, 2, "F", {1, 1, 3}, "Fort4 (A5 dr=3/3)\r\r"},
        {"advancing", 1, 1, 0, 2, 2, "-", {1, 1}, "(no unit activated)\rSmoke if MPh\r\r"},
        {"forts not special", 0, 0, 0, 2, 2, "-", {1, 1}, "(no unit activated)\r\r"},
    };
    for (const EvenA1Case& c : cases) {
        test::LoadScenario();
        setup::gFortsSpecial = c.fortsSpecial;
        setup::gAttitude = c.attitude;
        setup::gA1DRM = c.a1drm;
        const int final = c.die1 + c.die2 - c.attitude + c.a1drm;
        data::gTableA1[static_cast<std::size_t>(final + 2)] = c.codes;
        ScriptedDice dice{c.die1, c.die2};
        dice.AddAll(c.more);
        EXPECT_EQ(DisplayActivatedUnits(), c.text) << c.name;
        EXPECT_EQ(dice.Remaining(), 0u) << c.name;
    }
}

TEST_F(Units, SquadClassesDrawnEarlierModifyTheFortificationRoll) {
    struct Case {
        int squadDie1, squadDie2;
        const char* text;
    };
    // Elite (squad DR 10) lowers the A5 dr by one, conscript (3) raises it; a first-line squad (7)
    // changes nothing.
    for (const Case c : {Case{5, 5, "Sq10 (x2 DR=10/10)\rFort4 (A5 dr=4/3)\r\r"},
                         Case{1, 2, "Sq3 (x2 DR=3/3)\rFort6 (A5 dr=4/5)\r\r"},
                         Case{3, 4, "Sq7 (x2 DR=7/7)\rFort5 (A5 dr=4/4)\r\r"}}) {
        SetRolledSevenEntry("SF");
        ScriptedDice dice{3, 4, 1, 1, c.squadDie1, c.squadDie2, 1, 1, 4};
        EXPECT_EQ(DisplayActivatedUnits(), c.text);
    }
    // Each activation starts afresh.
    SetRolledSevenEntry("F");
    ScriptedDice dice{3, 4, 1, 1, 4};
    EXPECT_EQ(DisplayActivatedUnits(), "Fort5 (A5 dr=4/4)\r\r");
}

TEST_F(Units, TheFortificationRollIsLimitedButShowsTheUnlimitedFinal) {
    struct Case {
        int elite, green, a5drm, die;
        const char* text;
    };
    for (const Case c : {Case{0, -1, 0, 6, "Fort6 (A5 dr=6/6)"}, Case{1, 0, -2, 1, "Fort1 (A5 dr=1/-2)"},
                         Case{0, 1, 0, 5, "Fort6 (A5 dr=5/6)"}, Case{0, 1, 2, 6, "Fort6 (A5 dr=6/9)"},
                         Case{0, -1, -1, 1, "Fort1 (A5 dr=1/0)"}, Case{0, 0, 0, 1, "Fort2 (A5 dr=1/1)"},
                         Case{0, -1, 2, 2, "Fort5 (A5 dr=2/4)"}}) {
        gEliteSquad = c.elite;
        gGreenSquadsOnly = c.green;
        setup::gA5DRM = c.a5drm;
        ScriptedDice dice{c.die};
        EXPECT_EQ(DetermineFortification(), c.text);
    }
    setup::gSeeRolls = 0;
    setup::gA5DRM = 0;
    ScriptedDice dice{3};
    EXPECT_EQ(DetermineFortification(), "Fort4");
}

TEST_F(Units, FortificationsDependOnTheAttitude) {
    setup::gAttitude = 1;
    EXPECT_EQ(FortsSpecial(), "Smoke if MPh");
    setup::gAttitude = 2;
    EXPECT_EQ(FortsSpecial(), "");
    setup::gAttitude = 0;
    ScriptedDice dice{2};
    EXPECT_EQ(FortsSpecial(), "Fort3 (A5 dr=2/2)");
}

TEST_F(Units, SquadClassFlagsFollowEverySquadDrawn) {
    struct Case {
        std::vector<int> finals;
        int elite, green;
    };
    for (const Case& c :
         {Case{{}, 0, -1}, Case{{3}, 0, 1}, Case{{4, 2}, 0, 1}, Case{{3, 7}, 0, 0}, Case{{7, 3}, 0, 0},
          Case{{10}, 1, 0}, Case{{3, 10}, 1, 0}, Case{{10, 3}, 1, 0}, Case{{5}, 0, 0}}) {
        gEliteSquad = 0;
        gGreenSquadsOnly = -1;
        for (int final : c.finals) {
            NoteSquadClass(final);
        }
        EXPECT_EQ(gEliteSquad, c.elite) << ::testing::PrintToString(c.finals);
        EXPECT_EQ(gGreenSquadsOnly, c.green) << ::testing::PrintToString(c.finals);
    }
}

TEST_F(Units, TheSquadDateModifierIsThatOfTheLastMatchingPeriod) {
    data::gSquadModifierPeriods = {data::SquadModifierPeriod{}, {194101, 194312, -1}, {194301, 194412, 1}};
    struct Case {
        const char* date;
        int modifier;
    };
    for (const Case c : {Case{"194306", 1}, Case{"194201", -1}, Case{"194101", -1}, Case{"194412", 1},
                         Case{"194501", 0}, Case{"194012", 0}}) {
        setup::gGameDate = c.date;
        EXPECT_EQ(DetermineSquadModifiers(), c.modifier) << c.date;
    }
}

TEST_F(Units, TheDateModifierMovesTheSquadRow) {
    data::gSquadModifierPeriods = {data::SquadModifierPeriod{}, {194101, 194312, -1}};
    ScriptedDice dice{4, 4};
    EXPECT_EQ(ShowSquads(1), "Sq7 (x2 DR=8/7)");
}

struct ClassCase {
    std::int16_t choice;
    int modifier;
    std::vector<int> dice;
    int dieRoll;
};

TEST_F(Units, ClassRestrictionsRerollUntilTheRowFits) {
    // Rows by squad DR: 2-3 C, 4 G, 5-6 second line, 7-9 first line, 10-11 elite, 12 elite special force.
    const std::vector<ClassCase> cases = {
        {kClassUndecided, 0, {3, 4}, 7},           {kConscriptGreenOnly, 0, {3, 4, 2, 2}, 4},
        {kConscriptGreenOnly, 0, {3, 4, 1, 1}, 2}, {kSecondLineOnly, 0, {3, 4, 2, 3}, 5},
        {kFirstLineOnly, 0, {2, 3, 4, 4}, 8},      {kEliteOnly, 0, {6, 6, 5, 5}, 10},
        {kAllUnitClasses, 0, {6, 6}, 12},          {kAnyClassButSpecialForces, 0, {6, 6, 5, 6}, 11},
        {kSpecialForces, 0, {5, 6, 6, 6}, 12},     {kSpecialForces, 1, {6, 6, 5, 6}, 11},
    };
    for (const ClassCase& c : cases) {
        specialForceClass = c.choice;
        ScriptedDice dice;
        dice.AddAll(c.dice);
        EXPECT_EQ(EnforceClassRestrictions(c.modifier), c.dieRoll) << "choice " << c.choice;
        EXPECT_EQ(dice.Remaining(), 0u) << "choice " << c.choice;
    }
    EXPECT_EQ(data::gDRStats, (std::array<std::int32_t, 18>{})) << "class rolls are not recorded";
}

TEST_F(Units, TheHundredthClassAttemptIsTakenUntested) {
    for (auto& row : data::gSquadTable) {
        row[3] = "0";
    }
    specialForceClass = kSpecialForces;
    ScriptedDice dice;
    for (int i = 1; i < 100; ++i) {
        dice.Add({1, 1});
    }
    dice.Add({3, 4, 6, 6});
    EXPECT_EQ(EnforceClassRestrictions(0), 7);
    EXPECT_EQ(dice.Rolled(), 200);
}

TEST_F(Units, TheSpecialForceLineNamesTheLastFlaggedSquad) {
    DetermineSpecialForces();
    EXPECT_EQ(hasSpecialForces, 1);
    data::gSquadTable[14][3] = "1"; // final squad DR 13
    DetermineSpecialForces();
    EXPECT_EQ(hasSpecialForces, 1);
    for (auto& row : data::gSquadTable) {
        row[3] = "0";
    }
    DetermineSpecialForces();
    EXPECT_EQ(hasSpecialForces, 0);
    EXPECT_EQ(view_.specialForceLines,
              (std::vector<std::string>{"Special Force unit is the Sq12", "Special Force unit is the Sq13",
                                        kNoSpecialForces}));
}

TEST_F(Units, TheFirstSquadAfterARefreshDecidesTheSpecialForceUse) {
    struct Case {
        int hasSpecial, squad;
        const char* line;
        std::int16_t choice;
    };
    for (const Case c : {Case{1, 12, kSpecialForcesUsed, kSpecialForces},
                         Case{1, 7, kSpecialForcesNotUsed, kAnyClassButSpecialForces},
                         Case{0, 7, kSpecialForcesNotUsed, kAllUnitClasses}}) {
        hasSpecialForces = c.hasSpecial;
        specialForceClass = kClassUndecided;
        view_ = RecordingView{};
        DetermineSpecialForceUse(c.squad);
        EXPECT_EQ(specialForceClass, c.choice);
        EXPECT_EQ(view_.specialForceLines, std::vector<std::string>{c.line});
        EXPECT_EQ(view_.selections, std::vector<int>{c.choice});
        // Once decided, later squads change nothing.
        DetermineSpecialForceUse(c.squad == 12 ? 7 : 12);
        EXPECT_EQ(specialForceClass, c.choice);
        EXPECT_EQ(view_.specialForceLines.size(), 1u);
    }
}

TEST_F(Units, ASpecialForceSquadMakesEveryLaterSquadOneToo) {
    hasSpecialForces = 1;
    specialForceClass = kClassUndecided;
    SetRolledSevenEntry("SH");
    // The first squad is drawn freely (12, special force); the second rerolls its 7 and takes the 12.
    ScriptedDice dice{3, 4, 1, 1, 6, 6, 1, 1, 3, 4, 6, 6};
    EXPECT_EQ(DisplayActivatedUnits(), "Sq12 (x2 DR=12/12)\rHs12 (x2 DR=12/12)\r\r");
    EXPECT_EQ(specialForceClass, kSpecialForces);
    EXPECT_EQ(dice.Remaining(), 0u);
}

TEST_F(Units, RecordedDiceAreTheA1UnitAfvAndFortificationRolls) {
    data::gAFVTable[4] = "a[3] b[6] ";
    SetRolledSevenEntry("SAF");
    // A1 3+4 | squad: unit 1+1, class 4+4 | AFV: unit 2+3, die 4, pick 2 | fort: unit 1+2, A5 6
    ScriptedDice dice{3, 4, 1, 1, 4, 4, 2, 3, 4, 2, 1, 2, 6};
    EXPECT_EQ(DisplayActivatedUnits(), "Sq8 (x2 DR=8/8)\ra (x6 DR=5)\rFort6 (A5 dr=6/6)\r\r");
    std::array<std::int32_t, 18> expected{};
    expected[4] = 1;     // AFV die
    expected[6] = 1;     // A5 die
    expected[7 + 5] = 1; // A1 DR
    expected[2 + 5] = 1; // squad's unit DR
    expected[5 + 5] = 1; // AFV's unit DR
    expected[3 + 5] = 1; // fortification's unit DR
    EXPECT_EQ(data::gDRStats, expected);
}

TEST(PickOne, ChoosesTheFirstAlternativeThatReachesTheDie) {
    struct Case {
        const char* text;
        int die;
        const char* chosen;
    };
    for (const Case c :
         {Case{"a[2] b[4] c[6]", 3, "b"}, Case{"a[2] b[4] c[6]", 1, "a"}, Case{"a[2] b[4] c[6]", 6, "c"},
          Case{"a[2] b[4] c[6]", 2, "a"}, Case{"x[1] y[2] ", 5, "x[1] y[2] "},
          Case{"no alternatives", 4, "no alternatives"}, Case{"Pz 38(t)[4] Pz IIIH[6] ", 5, "Pz IIIH"}}) {
        test::ScriptedDice dice{c.die};
        EXPECT_EQ(PickOne(c.text), c.chosen) << c.text << " with " << c.die;
    }
}

TEST(ScenarioNotes, EveryNoteEndsInACarriageReturn) {
    test::LoadScenario();
    EXPECT_EQ(ScenarioNotesText(), "First note\rSecond note\r");
    data::gScenarioNotes = test::NotFoundList();
    EXPECT_EQ(ScenarioNotesText(), "Table not found\r");
}

TEST(Listings, SquadRowsAreNumberedByFinalDrWithClassAndSpecialForceMark) {
    ResetProgramState();
    data::gSquadTable = {data::SquadRow{}, data::SquadRow{"", "4-6-7", "2-3-7", "0", "1"},
                         data::SquadRow{"", "Sturmtruppen", "2-4-8", "1", "E"}};
    EXPECT_EQ(ShowInfantry(), "\r   0  4-6-7   2-3-7  1\r   1Sturmtruppen   2-4-8  E S12.22\r");
}

TEST(Listings, LeadersFromZeroAndOtherTablesFromTwo) {
    ResetProgramState();
    data::gLeaderTable = {"", "8-0", "9-1"};
    EXPECT_EQ(ShowLeaders(), "\r   0  8-0\r   1  9-1\r");
    data::gAFVTable = {"", "PzIIIJ", "PzIVF2"};
    EXPECT_EQ(ShowAFV(data::gAFVTable, "AFVs"), "\r   2  PzIIIJ\r   3  PzIVF2\r");
    EXPECT_EQ(ShowAFV(test::NotFoundList(), "AFVs"), "AFVs info not available");
    EXPECT_EQ(ShowAFV({}, "SPGs"), "SPGs info not available");
}

TEST(Listings, PaddingKeepsLongValuesWhole) {
    EXPECT_EQ(PadLeft("7", 4), "   7");
    EXPECT_EQ(PadLeft("12345", 4), "12345");
    EXPECT_EQ(PadLeft("", 2), "  ");
}

} // namespace
} // namespace dorva::activation
