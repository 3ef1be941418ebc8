#include "data/DieRollStats.h"

#include <gtest/gtest.h>

using namespace dorva::data;

namespace {

TEST(DieRollStatsFigures, NoRollShowsBlankZeroCountsAndZeroAverages) {
    const DieRollStatsFigures f = ComputeDieRollStats({});
    for (const std::string& count : f.counts) {
        EXPECT_EQ(count, " 0");
    }
    EXPECT_EQ(f.drTotal, "0");
    EXPECT_EQ(f.drAverage, "0");
    EXPECT_EQ(f.DRTotal, "0");
    EXPECT_EQ(f.DRAverage, "0");
}

TEST(DieRollStatsFigures, OneAndSixAverageThreeFifty) {
    std::array<std::int32_t, 18> stats{};
    stats[1] = 1;
    stats[6] = 1;
    const DieRollStatsFigures f = ComputeDieRollStats(stats);
    EXPECT_EQ(f.counts[0], " 1");
    EXPECT_EQ(f.counts[5], " 1");
    EXPECT_EQ(f.drTotal, "2");
    EXPECT_EQ(f.drAverage, "3.50");
    EXPECT_EQ(f.DRTotal, "0");
    EXPECT_EQ(f.DRAverage, "0");
}

TEST(DieRollStatsFigures, TwoDiceCountsGoUnderTheirTotals) {
    std::array<std::int32_t, 18> stats{};
    stats[7] = 3;   // DR 2
    stats[12] = 10; // DR 7
    stats[17] = 2;  // DR 12
    stats[0] = 99;  // never counted
    const DieRollStatsFigures f = ComputeDieRollStats(stats);
    EXPECT_EQ(f.counts[6], " 3");
    EXPECT_EQ(f.counts[11], " 10");
    EXPECT_EQ(f.counts[16], " 2");
    EXPECT_EQ(f.drTotal, "0");
    EXPECT_EQ(f.DRTotal, "15");
    // (3*2 + 10*7 + 2*12) / 15 = 100 / 15
    EXPECT_EQ(f.DRAverage, "6.67");
}

struct AverageCase {
    std::int64_t sum, total;
    const char* shown;
};

class AverageFormat : public ::testing::TestWithParam<AverageCase> {};

TEST_P(AverageFormat, GroupsThousandsWithTwoDecimals) {
    EXPECT_EQ(FormatAverage(GetParam().sum, GetParam().total), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, AverageFormat,
                         ::testing::Values(AverageCase{0, 0, "0"}, AverageCase{5, 0, "0"},
                                           AverageCase{7, 2, "3.50"}, AverageCase{1, 3, "0.33"},
                                           AverageCase{2, 3, "0.67"}, AverageCase{12, 1, "12.00"},
                                           AverageCase{999999, 1, "999,999.00"},
                                           AverageCase{1234567, 1, "1,234,567.00"},
                                           AverageCase{1000, 1, "1,000.00"}, AverageCase{100, 1, "100.00"},
                                           AverageCase{-1500, 1, "-1,500.00"}));

} // namespace
