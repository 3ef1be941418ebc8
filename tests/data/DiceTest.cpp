#include "data/Dice.h"
#include "support/ScriptedDice.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace dorva::data;
using dorva::test::ScriptedDice;

namespace {

struct RecordCase {
    int count;
    int sides;
    std::int16_t record;
    std::vector<int> dice;
    int expectedTotal;
    int countedIndex; // -1: nothing counted
};

class RollDiceRecording : public ::testing::TestWithParam<RecordCase> {
protected:
    void SetUp() override { ResetDice(); }
};

TEST_P(RollDiceRecording, CountsOnlyRecordedOneAndTwoSixSidedDice) {
    const RecordCase& c = GetParam();
    ScriptedDice dice;
    dice.AddAll(c.dice);
    EXPECT_EQ(RollDice(c.count, c.sides, c.record), c.expectedTotal);
    EXPECT_EQ(dice.Remaining(), 0u);
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(gDRStats[static_cast<std::size_t>(i)], i == c.countedIndex ? 1 : 0) << "counter " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RollDiceRecording,
                         ::testing::Values(RecordCase{1, 6, kRecord, {4}, 4, 4},
                                           RecordCase{1, 6, kRecord, {1}, 1, 1},
                                           RecordCase{2, 6, kRecord, {6, 6}, 12, 17},
                                           RecordCase{2, 6, kRecord, {1, 1}, 2, 7},
                                           RecordCase{2, 6, kNoRecord, {3, 4}, 7, -1},
                                           RecordCase{2, 6, 1, {3, 4}, 7, -1}, // 1 is not True
                                           RecordCase{1, 10, kRecord, {9}, 9, -1},
                                           RecordCase{3, 6, kRecord, {1, 2, 3}, 6, -1},
                                           RecordCase{0, 6, kRecord, {}, 0, -1},
                                           RecordCase{-2, 6, kRecord, {}, 0, -1}));

TEST(RollDice, GeneratorGivesEveryFaceAndNothingElse) {
    ResetDice();
    SeedRandomGenerator(12345);
    std::array<int, 7> seen{};
    for (int i = 0; i < 6000; ++i) {
        const int die = RollDice(1, 6, kRecord);
        ASSERT_GE(die, 1);
        ASSERT_LE(die, 6);
        ++seen[static_cast<std::size_t>(die)];
    }
    for (int face = 1; face <= 6; ++face) {
        // 1000 expected; a fair die stays well inside this band.
        EXPECT_GT(seen[static_cast<std::size_t>(face)], 850) << face;
        EXPECT_LT(seen[static_cast<std::size_t>(face)], 1150) << face;
        EXPECT_EQ(gDRStats[static_cast<std::size_t>(face)], seen[static_cast<std::size_t>(face)]);
    }
    EXPECT_EQ(std::accumulate(gDRStats.begin() + 7, gDRStats.end(), 0), 0);
}

TEST(RollDice, ClockSeedingGivesDifferentSequences) {
    ResetDice();
    SeedRandomGenerator();
    std::vector<int> first;
    for (int i = 0; i < 20; ++i) {
        first.push_back(RollDice(1, 1000, kNoRecord));
    }
    SeedRandomGenerator();
    std::vector<int> second;
    for (int i = 0; i < 20; ++i) {
        second.push_back(RollDice(1, 1000, kNoRecord));
    }
    EXPECT_NE(first, second);
}

TEST(RollDice, ManyFacedDieStaysInRange) {
    ResetDice();
    SeedRandomGenerator(7);
    for (int i = 0; i < 2000; ++i) {
        const int v = RollDice(1, 33, kRecord);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 33);
    }
}

} // namespace
