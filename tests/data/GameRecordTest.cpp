// The CSV export is the statistics window's test.
#include "data/Dice.h"
#include "data/DiceRecord.h"
#include "data/DieRollStats.h"
#include "support/ProgramTest.h"

namespace dorva {
namespace {

using namespace data;
using test::ReadFile;

class GameRecord : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        gDiceRecordFile = folder.Root() / "data" / "DiceStatistics.txt";
    }
    // A new run of the program: the counts in memory are gone, the record's file stays.
    static void Restart() {
        gDRStats.fill(0);
        gDiceGame.clear();
        LoadDiceRecord();
    }
    void Roll(int dr) {
        dice.Script({dr});
        RollDice(1, 6, kRecord);
    }
};

TEST(DiceRecordText, ReadsBackAndAnythingElseIsDamaged) {
    const DiceRecord record{"German 194306",
                            {0, 3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36, 39, 42, 45, 48, 51}};
    const std::string text = DiceRecordText(record);
    EXPECT_EQ(text, "DORVA II dice record\r\ngame=German 194306\r\ndr=3 6 9 12 15 18\r\n"
                    "DR=21 24 27 30 33 36 39 42 45 48 51\r\n");
    EXPECT_EQ(ParseDiceRecord(text), record);
    const std::string dr = "DORVA II dice record\ngame=x\ndr=1 2 3 4 5 ";
    for (const std::string& damaged :
         {std::string("garbage"), dr + "\nDR=0 0 0 0 0 0 0 0 0 0 0\n", dr + "-6\nDR=0 0 0 0 0 0 0 0 0 0 0\n",
          dr + "6\n", text + "more\r\n"}) {
        EXPECT_EQ(ParseDiceRecord(damaged), std::nullopt) << damaged;
    }
}

TEST_F(GameRecord, CountsSurviveARestartAndAnotherGameStartsAfresh) {
    BeginGame("German 194306");
    dice.Script({3, 4, 2});
    RollDice(2, 6, kRecord);
    RollDice(1, 6, kNoRecord);
    {
        const DiceRecordBatch batch; // a batch writes once, at its end
        Roll(4);
        EXPECT_EQ(ParseDiceRecord(ReadFile(gDiceRecordFile))->stats[4], 0);
    }
    Restart();
    EXPECT_EQ(std::make_tuple(gDiceGame, gDRStats[4], gDRStats[12]), std::make_tuple("German 194306", 1, 1));
    BeginGame("German 194306"); // the same game again: the counts go on
    Restart();
    EXPECT_EQ(gDRStats[4], 1);
    BeginGame("German 194307"); // another date: afresh
    Restart();
    EXPECT_EQ(std::make_pair(gDiceGame, gDRStats), std::make_pair(std::string("German 194307"), DRStats{}));
    Roll(6);
    StartNewDiceRecord(); // "New Game": afresh, and the counts belong to the next game chosen
    Roll(6);
    BeginGame("Russian 194401");
    Restart();
    EXPECT_EQ(std::make_pair(gDiceGame, gDRStats[6]), std::make_pair(std::string("Russian 194401"), 1));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(GameRecord, ADamagedRecordIsReportedOnceKeptAsideAndStartsAfresh) {
    std::filesystem::create_directories(gDiceRecordFile.parent_path());
    std::ofstream(gDiceRecordFile, std::ios::binary) << "DORVA II dice record\r\ngame=G\r\ndr=1 2\r\n";
    gDRStats[3] = 9;
    LoadDiceRecord();
    Restart(); // the fresh record replaced it: no second report
    EXPECT_EQ(gDRStats, DRStats{});
    const std::string file = gDiceRecordFile.string();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"The dice statistics in " + file +
                                                         " are damaged; they start afresh. The damaged file "
                                                         "is kept as " +
                                                         file + ".damaged."});
    EXPECT_EQ(ReadFile(file + ".damaged"), "DORVA II dice record\r\ngame=G\r\ndr=1 2\r\n");
}

TEST(ChiSquare, TailMatchesTheTablesAndVerdictsFollowIt) {
    // clang-format off
    for (const auto& [x, degrees, tail] : {std::tuple{0.0, 5, 1.0}, {11.0705, 5, 0.05}, {18.2, 5, 0.0027059},
             {18.307, 10, 0.05}, {29.588, 10, 0.001}, {2.5582, 10, 0.99}}) {
        // clang-format on
        EXPECT_NEAR(ChiSquareTail(x, degrees), tail, 2e-6) << x << " " << degrees;
    }
    // clang-format off
    for (const auto& [counts, verdict] : {std::pair{DRStats{0, 4, 5, 4, 5, 4, 5}, "too few rolls to judge"},
             {DRStats{0, 5, 5, 5, 5, 5, 5}, "consistent with fair dice"}, {DRStats{0, 4, 10, 10, 10, 5, 21}, "unusual: p = 0.003"},
             {DRStats{0, 0, 0, 0, 0, 0, 600}, "unusual: p < 0.001"}}) {
        // clang-format on
        EXPECT_EQ(JudgeFairness(DrBars(counts)).text, verdict);
    }
    const DRStats fair{0, 0, 0, 0, 0, 0, 0, 3, 6, 9, 12, 15, 18, 15, 12, 9, 6, 3}; // DR 2 to 12 in 108 rolls
    EXPECT_EQ(JudgeFairness(DRBars(fair)).text, "consistent with fair dice");
}

} // namespace
} // namespace dorva
