#pragma once
// The figures of the die-roll statistics window, computed from gDRStats.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// One bar of the chart: a result, how often it came up and how often fair dice would give it.
struct DiceBar {
    int result = 0;
    std::int32_t count = 0;
    double expected = 0;
};
// The bars of dr 1 to 6 and of DR 2 to 12.
std::vector<DiceBar> DrBars(const std::array<std::int32_t, 18>& stats);
std::vector<DiceBar> DRBars(const std::array<std::int32_t, 18>& stats);

// The bars in words: "dr 1: 3 rolled, 2.50 fair, 2: ...".
std::string BarsDescription(const std::string& roll, const std::vector<DiceBar>& bars);

// How likely a chi-square of at least x is for fair dice with the given degrees of freedom (the upper
// tail of the chi-square distribution).
double ChiSquareTail(double x, int degrees);

struct FairnessVerdict {
    double chiSquare = 0;
    std::optional<double> p; // nothing while there are too few rolls to judge
    std::string text;        // "consistent with fair dice", "unusual: p = 0.003", or why it cannot say
};
// Pearson's chi-square test of the counts against fair dice.
FairnessVerdict JudgeFairness(const std::vector<DiceBar>& bars);

// "Export CSV": asks for a file through the dialogs seam and writes the counts to it, replacing what
// it held (an export is the counts of one moment). A file that cannot be written is reported.
// Returns the file written; nothing when the player cancelled or the file could not be written.
std::optional<std::string> ExportDiceCsv(const std::array<std::int32_t, 18>& stats);

inline constexpr const char* kCsvFilter = "CSV Files (*.csv) | *.csv";

// The counts as CSV (comma separated, a header row, carriage return and line feed line ends): one row
// per result, "dr" or "DR", the result, its count and what fair dice would give.
std::string DiceStatsCsv(const std::array<std::int32_t, 18>& stats);

} // namespace dorva::data
