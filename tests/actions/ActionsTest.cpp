#include "actions/CloseCombat.h"
#include "actions/Direction.h"
#include "actions/FireCommands.h"
#include "actions/ManualDieRoll.h"
#include "actions/Movement.h"
#include "support/ProgramTest.h"

#include <functional>
#include <numeric>

namespace dorva::actions {

// Failures show the four labels' texts.
void PrintTo(const Panel& panel, std::ostream* os) {
    for (const auto& text : {panel.upperHeading, panel.upperText, panel.lowerHeading, panel.lowerText}) {
        *os << (text ? '"' + *text + '"' : std::string("(as it was)")) << " ";
    }
}

namespace {

using test::NumberedList;
class Actions : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        test::LoadActionTables();
    }
    // Recorded rolls: one die (dr), two dice (DR).
    static std::pair<int, int> Counted() {
        const auto& s = data::gDRStats;
        return {std::accumulate(s.begin() + 1, s.begin() + 7, 0), std::accumulate(s.begin() + 7, s.end(), 0)};
    }
};

TEST_F(Actions, AMissingEntryShowsANoteNamingTheTableAndTheRoll) {
    data::gTable3B = NumberedList("3B-", 10);
    data::gTable4C.clear();
    data::gTable3E = NumberedList("3E-", 5);
    data::gTableCC = {""};
    data::gTableHd = data::ListTable(3, "Move");
    dice.Script({6, 6, 6, 6, 6, 3, 3, 3});
    EXPECT_EQ(AttackText(Attack::LATW, 12), "Unit attacks\r\n(table 3B has no entry for DR 12)");
    EXPECT_EQ(*VehicleMove().upperText, "(table 4C has no entries)");
    EXPECT_EQ(RollCCPairings().text, "(table 3E has no entry for dr 6)");
    EXPECT_EQ(RollCCNtc().text, "(table CC has no entries)");
    EXPECT_EQ(RollUnitActions(true).panel.upperText, "(table Hd has no entry for DR 6)");
    EXPECT_EQ(AttackText(Attack::LATW, 11), "Unit attacks\r\n3B-10")
        << "a short list still gives what it has";
}

TEST_F(Actions, PanicListForEveryDouble) {
    const std::string conscript = "   Conscript/Green", second = "   Partisan/2nd Line",
                      first = "   1st Line";
    // clang-format off
    for (const auto& [die, list] : {
             std::pair{1, conscript}, {2, second + "\r\n" + conscript},
             {3, first + "\r\n" + second + "\r\n" + conscript}, {4, first + "\r\n" + second + "\r\n" + conscript},
             {5, std::string("   All units Panic")}, {6, std::string("   All units Panic")}}) {
        // clang-format on
        EXPECT_EQ(PanicText(die, die), "Units Panic:\r\n" + list) << die;
    }
    EXPECT_EQ(PanicText(3, 4), "(No units panic)");
    EXPECT_EQ(PanicText(6, 1), "(No units panic)");
}

// Words are read at DR - 1; each "Fire" rolls a DR of its own while the IFT attack is assumed (Hold first).
TEST_F(Actions, UnitActionsShowBothAttitudes) {
    const std::string select = "Unit Fires. Select attack type from selection to the right.";
    using Text = std::optional<std::string>;
    using Row = std::tuple<std::vector<int>, const char*, const char*, bool, Text, Text>;
    // clang-format off
    for (const auto& [rolled, hold, advance, assumeIFT, holdText, advanceText] : std::vector<Row>{
             {{3, 4}, "Move", "Move", true, "Unit moves. Mark with a MOVE counter. Entrench if possible and no Target.",
              "Unit moves. Mark with a MOVE counter."},
             {{1, 1}, "Entrench", "Panic", true, "Unit Entrenches", "Unit automatically Panics"},
             {{6, 6, 1, 1, 6, 5}, "Fire", "Fire", true, "Unit attacks\r\n3A-1", "Unit attacks\r\n3A-10"},
             {{2, 5}, "Fire", "Fire", false, select, select + " Move if no Target"},
             {{5, 6, 2, 2}, "Panic", "Fire", true, "Unit automatically Panics", "Unit attacks\r\n3A-3"},
             {{4, 2}, "fire", "Rest", true, std::nullopt, std::nullopt}}) {
        // clang-format on
        data::gDRStats.fill(0);
        const int dr = rolled[0] + rolled[1];
        data::gTableHd[static_cast<std::size_t>(dr - 1)] = hold;
        data::gTableAd[static_cast<std::size_t>(dr - 1)] = advance;
        dice.Script(rolled);
        EXPECT_EQ(RollUnitActions(assumeIFT).panel, (Panel{"Hold Attitude Unit's Actions", holdText,
                                                           "Advance Attitude Unit's Actions", advanceText}));
        EXPECT_EQ(Counted(), std::pair(2, static_cast<int>(rolled.size() - 2) / 2))
            << "two drs, a DR per attack";
    }
}

TEST_F(Actions, EachOperationCountsItsRolls) {
    ManualDieRoll manual;
    manual.Switch(true);
    using Row = std::tuple<const char*, std::function<void()>, std::pair<int, int>>;
    // clang-format off
    for (const auto& [name, operation, counted] : std::vector<Row>{
             {"infantry movement", [] { RollInfantryMove(); }, {0, 3}},
             {"vehicle movement", [] { VehicleMove(); }, {0, 1}},
             {"attack", [] { FireCommand(Attack::OrdnanceVsVehicle); }, {0, 1}},
             {"direction", [] { RollDirection(); }, {1, 0}},
             {"manual DR", [&manual] { manual.Result(7); }, {0, 0}},
             {"CC NTC", [] { RollCCNtc(); }, {0, 1}},
             {"CC pairings", [] { RollCCPairings(); }, {1, 0}},
             {"CC attack", [] { RollCCAttack(); }, {0, 1}}}) {
        // clang-format on
        data::gDRStats.fill(0);
        dice.Script(std::vector<int>(static_cast<std::size_t>(counted.first + 2 * counted.second), 3));
        operation();
        EXPECT_EQ(Counted(), counted) << name;
    }
}

TEST_F(Actions, DirectionPictures) {
    using Six = std::array<int, 6>;
    // clang-format off
    for (const auto& [attitude, grain, base, byDr] : {
             std::tuple{1, 0, 100, Six{101, 102, 102, 102, 102, 103}},
             std::tuple{1, 1, 200, Six{201, 201, 201, 202, 202, 202}},
             std::tuple{0, 0, 300, Six{301, 302, 303, 304, 305, 306}},
             std::tuple{0, 1, 400, Six{301, 302, 303, 304, 305, 306}},
             std::tuple{2, 0, kNoPicture, Six{}}, std::tuple{-1, 1, kNoPicture, Six{}},
             std::tuple{1, 2, kNoPicture, Six{}}}) {
        // clang-format on
        EXPECT_EQ(BasePicture(attitude, grain), base) << attitude << " " << grain;
        for (int dr = 1; dr <= 6; ++dr) {
            EXPECT_EQ(DirectionPicture(attitude, grain, dr), byDr[static_cast<std::size_t>(dr - 1)])
                << attitude << " " << grain << " dr " << dr;
        }
    }
}

} // namespace
} // namespace dorva::actions
