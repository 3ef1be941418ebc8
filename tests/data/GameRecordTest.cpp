// The game record: the log's lines, the dice statistics kept per game, the fairness verdict and the
// CSV export.
#include "data/Dice.h"
#include "data/DiceRecord.h"
#include "data/DieRollStats.h"
#include "data/GameLog.h"
#include "support/ProgramTest.h"

#include <cmath>

namespace dorva {
namespace {

using namespace data;

class GameRecord : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        gDiceRecordFile = folder.Root() / "data" / "DiceStatistics.txt";
    }
    static std::string Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // A new run of the program: the counts in memory are gone, the record's file stays.
    static void Restart() {
        gDRStats.fill(0);
        gDiceGame.clear();
        LoadDiceRecord();
    }
};

TEST(LogLines, EveryLineOfAnEntryIsAFileLineIndentedUnderTheFirst) {
    // clang-format off
    for (const auto& [entry, lines] : {
             std::pair{"(S? removed)", "t: (S? removed)\r\n"},
             {"Sq8\rLdr6", "t: Sq8\r\n   Ldr6\r\n"},
             {"Gun\r\nsecond line\rSW", "t: Gun\r\n   second line\r\n   SW\r\n"},
             {"a\n  Units Panic:\r\r   b", "t: a\r\n     Units Panic:\r\n      b\r\n"},
             {"one\r", "t: one\r\n"}, {"\rx", "t: \r\n   x\r\n"}, {"", "t: \r\n"}}) {
        // clang-format on
        EXPECT_EQ(FormatLogLines("t", entry), lines) << entry;
    }
    EXPECT_EQ(JoinShown({"a", "", "b"}, ", "), "a, b");
}

TEST_F(GameRecord, RecordTextReadsBackAndAnythingElseIsDamaged) {
    DiceRecord record{"German 194306", {}};
    for (std::size_t i = 1; i < 18; ++i) {
        record.stats[i] = static_cast<std::int32_t>(i * 3);
    }
    const std::string text = DiceRecordText(record);
    EXPECT_EQ(text, "DORVA II dice record\r\ngame=German 194306\r\ndr=3 6 9 12 15 18\r\n"
                    "DR=21 24 27 30 33 36 39 42 45 48 51\r\n");
    EXPECT_EQ(ParseDiceRecord(text), record);
    const std::string head = "DORVA II dice record\ngame=x\n";
    for (const std::string& damaged :
         {std::string(), std::string("garbage"), head + "dr=1 2 3 4 5\nDR=0 0 0 0 0 0 0 0 0 0 0\n",
          head + "dr=1 2 3 4 5 -6\nDR=0 0 0 0 0 0 0 0 0 0 0\n",
          head + "dr=1 2 3 4 5 6\nDR=0 0 0 0 0 0 0 0 0 0 x\n", head + "dr=1 2 3 4 5 6\n", text + "more\r\n",
          text.substr(0, text.size() - 9)}) {
        EXPECT_EQ(ParseDiceRecord(damaged), std::nullopt) << damaged;
    }
}

TEST_F(GameRecord, CountsSurviveARestartAndAnotherGameStartsAfresh) {
    BeginGame("German 194306");
    dice.Script({4, 3, 4, 2});
    RollDice(1, 6, kRecord);
    RollDice(2, 6, kRecord);
    RollDice(1, 6, kNoRecord);
    Restart();
    EXPECT_EQ(gDiceGame, "German 194306");
    EXPECT_EQ(gDRStats[4] + gDRStats[12], 2);

    BeginGame("German 194306"); // the same game again: the counts go on
    Restart();
    EXPECT_EQ(gDRStats[4], 1);
    BeginGame("German 194307"); // another date: afresh
    Restart();
    EXPECT_EQ(std::make_pair(gDiceGame, gDRStats), std::make_pair(std::string("German 194307"), DRStats{}));

    dice.Script({6});
    RollDice(1, 6, kRecord);
    StartNewDiceRecord(); // "New Game": afresh, and the next game chosen keeps what comes
    Restart();
    EXPECT_EQ(std::make_pair(gDiceGame, gDRStats), std::make_pair(std::string(), DRStats{}));
    dice.Script({6});
    RollDice(1, 6, kRecord);
    BeginGame("Russian 194401");
    Restart();
    EXPECT_EQ(gDRStats[6], 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(GameRecord, ADamagedRecordIsReportedOnceKeptAsideAndStartsAfresh) {
    std::filesystem::create_directories(gDiceRecordFile.parent_path());
    std::ofstream(gDiceRecordFile, std::ios::binary) << "DORVA II dice record\r\ngame=G\r\ndr=1 2\r\n";
    gDRStats[3] = 9;
    LoadDiceRecord();
    EXPECT_EQ(gDRStats, DRStats{});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "The dice statistics in " + gDiceRecordFile.string() +
                                       " are damaged; they start afresh. The damaged file is kept as " +
                                       gDiceRecordFile.string() + ".damaged.");
    EXPECT_EQ(Read(gDiceRecordFile.string() + ".damaged"), "DORVA II dice record\r\ngame=G\r\ndr=1 2\r\n");
    Restart(); // the fresh record replaced it: no second report
    EXPECT_EQ(dialogs.messages.size(), 1u);

    // A folder that cannot be written: reported once, and the counts go on in memory.
    gDiceRecordFile = folder.Root() / "DORVA_Support" / "config.sco" / "DiceStatistics.txt";
    folder.Write("config.sco", "x");
    dice.Script({1, 1});
    RollDice(1, 6, kRecord);
    RollDice(1, 6, kRecord);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(gDRStats[1], 2);
}

TEST_F(GameRecord, ABatchWritesTheRecordOnceAtItsEnd) {
    {
        const DiceRecordBatch batch;
        dice.Script({2});
        RollDice(1, 6, kRecord);
        EXPECT_FALSE(std::filesystem::exists(gDiceRecordFile));
    }
    Restart();
    EXPECT_EQ(gDRStats[2], 1);
}

TEST(ChiSquare, TailMatchesTheTables) {
    // chi-square, degrees of freedom, upper tail
    // clang-format off
    for (const auto& [x, degrees, tail] : {std::tuple{0.0, 5, 1.0}, {11.0705, 5, 0.05}, {15.0863, 5, 0.01},
             {18.2, 5, 0.0027059}, {3.84146, 1, 0.05}, {18.307, 10, 0.05}, {29.588, 10, 0.001}, {2.5582, 10, 0.99}}) {
        // clang-format on
        EXPECT_NEAR(ChiSquareTail(x, degrees), tail, 2e-6) << x << " " << degrees;
    }
}

TEST(ChiSquare, VerdictsOnCounts) {
    const auto dr = [](std::array<std::int32_t, 6> counts) {
        DRStats stats{};
        std::copy(counts.begin(), counts.end(), stats.begin() + 1);
        return JudgeFairness(DrBars(stats)).text;
    };
    EXPECT_EQ(dr({0, 0, 0, 0, 0, 0}), "too few rolls to judge");
    EXPECT_EQ(dr({4, 5, 4, 5, 4, 5}), "too few rolls to judge");
    EXPECT_EQ(dr({5, 5, 5, 5, 5, 5}), "consistent with fair dice");
    EXPECT_EQ(dr({4, 10, 10, 10, 5, 21}), "unusual: p = 0.003");
    EXPECT_EQ(dr({0, 0, 0, 0, 0, 600}), "unusual: p < 0.001");

    DRStats stats{};
    for (int total = 2; total <= 12; ++total) {
        stats[static_cast<std::size_t>(total + 5)] = 3 * (6 - std::abs(total - 7));
    }
    EXPECT_EQ(JudgeFairness(DRBars(stats)).text, "consistent with fair dice"); // 108 rolls, as fair dice give
    stats.fill(0);
    stats[12] = 19; // 2 is expected less than once among 19 rolls
    EXPECT_EQ(JudgeFairness(DRBars(stats)).text, "too few rolls to judge");
}

TEST_F(GameRecord, VerdictOnAFairAndALoadedScriptedDie) {
    for (const auto& [loaded, verdict] :
         {std::pair{false, "consistent with fair dice"}, {true, "unusual: p < 0.001"}}) {
        gDRStats.fill(0);
        for (int i = 0; i < 120; ++i) {
            // The loaded die shows a 6 for every 1 and 2.
            const int face = i % 6 + 1;
            dice.Script({loaded && face <= 2 ? 6 : face});
            RollDice(1, 6, kRecord);
        }
        EXPECT_EQ(JudgeFairness(DrBars(gDRStats)).text, verdict);
    }
}

TEST_F(GameRecord, CsvExportWritesTheCountsToTheChosenFile) {
    gDRStats[1] = 6;
    gDRStats[12] = 2;
    EXPECT_EQ(ExportDiceCsv(gDRStats), std::nullopt); // cancelled: nothing written
    const std::string file = folder.Root().string() + "/dice.csv";
    std::ofstream(file) << "old";
    dialogs.answer = file;
    EXPECT_EQ(ExportDiceCsv(gDRStats), file);
    EXPECT_EQ(dialogs.asked[0].preset + " " + dialogs.asked[0].filter,
              "Dice_Statistics.csv CSV Files (*.csv) | *.csv");
    const std::string csv = Read(file);
    const std::string head = "roll,result,count,fair dice\r\ndr,1,6,1.00\r\ndr,2,0,1.00\r\n";
    EXPECT_EQ(csv.substr(0, head.size()), head);
    EXPECT_NE(csv.find("\r\ndr,6,0,1.00\r\nDR,2,0,0.06\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\nDR,7,2,0.33\r\n"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 18);

    dialogs.answer = folder.Root().string() + "/no-such-folder/dice.csv";
    EXPECT_EQ(ExportDiceCsv(gDRStats), std::nullopt);
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"The dice statistics cannot be written to " + *dialogs.answer + "."});
}

} // namespace
} // namespace dorva
