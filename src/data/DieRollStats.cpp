#include "data/DieRollStats.h"

#include <cstdio>
#include <cstdlib>

namespace dorva::data {

std::string FormatAverage(std::int64_t weightedSum, std::int64_t total) {
    if (total <= 0) {
        return "0";
    }
    // The grouping comma and the decimal point are fixed rather than taken from the system's locale,
    // like every other text of the program: a statistic reads the same on every desktop.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f",
                  static_cast<double>(weightedSum) / static_cast<double>(total));
    std::string digits(buffer);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) {
        digits.erase(0, 1);
    }
    const std::size_t point = digits.find('.');
    std::string grouped;
    for (std::size_t i = 0; i < point; ++i) {
        if (i > 0 && (point - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += digits[i];
    }
    return (negative ? "-" : "") + grouped + digits.substr(point);
}

DieRollStatsFigures ComputeDieRollStats(const std::array<std::int32_t, 18>& stats) {
    DieRollStatsFigures figures;
    // The weighted sums are 32-bit in the program; the wider type here only spares an overflow on
    // a run longer than any game.
    std::int64_t drTotal = 0, drSum = 0;
    for (int face = 1; face <= 6; ++face) {
        const std::int32_t n = stats[static_cast<std::size_t>(face)];
        figures.counts[static_cast<std::size_t>(face - 1)] = " " + std::to_string(n);
        drTotal += n;
        drSum += static_cast<std::int64_t>(n) * face;
    }
    figures.drTotal = std::to_string(drTotal);
    figures.drAverage = FormatAverage(drSum, drTotal);

    std::int64_t DRTotal = 0, DRSum = 0;
    for (int total = 2; total <= 12; ++total) {
        const std::int32_t n = stats[static_cast<std::size_t>(total + 5)];
        figures.counts[static_cast<std::size_t>(total + 4)] = " " + std::to_string(n);
        DRTotal += n;
        DRSum += static_cast<std::int64_t>(n) * total;
    }
    figures.DRTotal = std::to_string(DRTotal);
    figures.DRAverage = FormatAverage(DRSum, DRTotal);
    return figures;
}

} // namespace dorva::data
