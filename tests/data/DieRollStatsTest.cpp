#include "data/DieRollStats.h"

#include <gtest/gtest.h>

using namespace dorva::data;

namespace {

TEST(DieRollStatsFigures, CountsTotalsAndAverages) {
    EXPECT_EQ(ComputeDieRollStats({}).counts[3], " 0");
    EXPECT_EQ(ComputeDieRollStats({}).drAverage, "0");
    std::array<std::int32_t, 18> stats{};
    stats[0] = 99;  // never counted
    stats[1] = 1;   // dr 1
    stats[6] = 1;   // dr 6
    stats[7] = 3;   // DR 2
    stats[12] = 10; // DR 7
    stats[17] = 2;  // DR 12
    const DieRollStatsFigures f = ComputeDieRollStats(stats);
    EXPECT_EQ(f.counts[0], " 1");
    EXPECT_EQ(f.counts[1], " 0");
    EXPECT_EQ(f.counts[5], " 1");
    EXPECT_EQ(f.counts[6], " 3");
    EXPECT_EQ(f.counts[11], " 10");
    EXPECT_EQ(f.counts[16], " 2");
    EXPECT_EQ(f.drTotal, "2");
    EXPECT_EQ(f.drAverage, "3.50");
    EXPECT_EQ(f.DRTotal, "15");
    EXPECT_EQ(f.DRAverage, "6.67"); // (3*2 + 10*7 + 2*12) / 15
}

TEST(DieRollStatsFigures, AveragesGroupThousandsWithTwoDecimals) {
    struct Case {
        std::int64_t sum, total;
        const char* shown;
    };
    for (const Case c : {Case{0, 0, "0"}, Case{5, 0, "0"}, Case{1, 3, "0.33"}, Case{2, 3, "0.67"},
                         Case{12, 1, "12.00"}, Case{100, 1, "100.00"}, Case{1000, 1, "1,000.00"},
                         Case{1234567, 1, "1,234,567.00"}, Case{-1500, 1, "-1,500.00"}}) {
        EXPECT_EQ(FormatAverage(c.sum, c.total), c.shown) << c.sum << "/" << c.total;
    }
}

} // namespace
