#include "data/Dice.h"
#include "support/ScriptedDice.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace dorva::data;
using dorva::test::ScriptedDice;

namespace {

TEST(RollDice, CountsOnlyRecordedOneAndTwoSixSidedDice) {
    struct Case {
        int count, sides;
        std::int16_t record;
        std::vector<int> dice;
        int total;
        int counted; // -1: nothing counted
    };
    const Case cases[] = {
        {1, 6, kRecord, {4}, 4, 4},       {1, 6, kRecord, {1}, 1, 1},
        {2, 6, kRecord, {6, 6}, 12, 17},  {2, 6, kRecord, {1, 1}, 2, 7},
        {2, 6, kNoRecord, {3, 4}, 7, -1}, {2, 6, 1, {3, 4}, 7, -1}, // 1 is not True
        {1, 10, kRecord, {9}, 9, -1},     {3, 6, kRecord, {1, 2, 3}, 6, -1},
        {0, 6, kRecord, {}, 0, -1},       {-2, 6, kRecord, {}, 0, -1},
    };
    for (const Case& c : cases) {
        ResetDice();
        ScriptedDice dice;
        dice.AddAll(c.dice);
        EXPECT_EQ(RollDice(c.count, c.sides, c.record), c.total);
        EXPECT_EQ(dice.Remaining(), 0u);
        for (int i = 0; i < 18; ++i) {
            EXPECT_EQ(gDRStats[static_cast<std::size_t>(i)], i == c.counted ? 1 : 0)
                << c.count << "d" << c.sides << " counter " << i;
        }
    }
}

TEST(RollDice, GeneratorGivesEveryFaceAndNothingElse) {
    ResetDice();
    SeedRandomGenerator(12345);
    std::array<int, 7> seen{};
    for (int i = 0; i < 6000; ++i) {
        const int die = RollDice(1, 6, kRecord);
        ASSERT_TRUE(die >= 1 && die <= 6) << die;
        ++seen[static_cast<std::size_t>(die)];
        const int many = RollDice(1, 33, kNoRecord);
        ASSERT_TRUE(many >= 1 && many <= 33) << many;
    }
    for (std::size_t face = 1; face <= 6; ++face) {
        // 1000 expected; a fair die stays well inside this band.
        EXPECT_TRUE(seen[face] > 850 && seen[face] < 1150) << face << ": " << seen[face];
        EXPECT_EQ(gDRStats[face], seen[face]);
    }
    EXPECT_EQ(std::accumulate(gDRStats.begin() + 7, gDRStats.end(), 0), 0);

    // Seeding from the clock twice gives two different games.
    std::vector<int> first, second;
    for (std::vector<int>* rolls : {&first, &second}) {
        SeedRandomGenerator();
        for (int i = 0; i < 20; ++i) {
            rolls->push_back(RollDice(1, 1000, kNoRecord));
        }
    }
    EXPECT_NE(first, second);
}

} // namespace
