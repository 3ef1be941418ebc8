#pragma once
// The figures of the die-roll statistics window, computed from gDRStats.

#include <array>
#include <cstdint>
#include <string>

namespace dorva::data {

struct DieRollStatsFigures {
    // Under the headings 1 to 6 (indices 0 to 5) and 2 to 12 (indices 6 to 16): the count preceded
    // by one blank, the place of a sign (" 0", " 17").
    std::array<std::string, 17> counts;
    std::string drTotal, drAverage; // one die
    std::string DRTotal, DRAverage; // two dice
};

DieRollStatsFigures ComputeDieRollStats(const std::array<std::int32_t, 18>& stats);

// An average as the pattern "##,##0.00" shows it: digits grouped by thousands with a comma, at least
// one integer digit and exactly two decimals ("3.50", "1,234.00"); "0" when there is no roll.
std::string FormatAverage(std::int64_t weightedSum, std::int64_t total);

} // namespace dorva::data
