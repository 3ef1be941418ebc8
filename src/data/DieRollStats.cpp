#include "data/DieRollStats.h"

#include "data/Messages.h"
#include "platform/Seams.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

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

namespace {

std::vector<DiceBar> Bars(const std::array<std::int32_t, 18>& stats, int first, int last, int offset,
                          double (*chance)(int)) {
    std::int64_t total = 0;
    for (int result = first; result <= last; ++result) {
        total += stats[static_cast<std::size_t>(result + offset)];
    }
    std::vector<DiceBar> bars;
    for (int result = first; result <= last; ++result) {
        bars.push_back({result, stats[static_cast<std::size_t>(result + offset)],
                        static_cast<double>(total) * chance(result)});
    }
    return bars;
}

// The lower regularized gamma function P(a, x) by its series (for x < a + 1) and the upper Q(a, x) by
// its continued fraction (otherwise), each where it converges fast.
double GammaTail(double a, double x) {
    if (x <= 0) {
        return 1;
    }
    const double logFront = a * std::log(x) - x - std::lgamma(a);
    if (x < a + 1) {
        double term = 1 / a, sum = term;
        for (int n = 1; n < 1000 && std::fabs(term) > std::fabs(sum) * 1e-15; ++n) {
            term *= x / (a + n);
            sum += term;
        }
        return 1 - sum * std::exp(logFront);
    }
    constexpr double tiny = 1e-300;
    double b = x + 1 - a, c = 1 / tiny, d = 1 / b, h = d;
    for (int i = 1; i < 1000; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        d = std::fabs(d) < tiny ? tiny : d;
        c = b + an / c;
        c = std::fabs(c) < tiny ? tiny : c;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1) < 1e-15) {
            break;
        }
    }
    return h * std::exp(logFront);
}

} // namespace

std::vector<DiceBar> DrBars(const std::array<std::int32_t, 18>& stats) {
    return Bars(stats, 1, 6, 0, [](int) { return 1.0 / 6; });
}

std::vector<DiceBar> DRBars(const std::array<std::int32_t, 18>& stats) {
    return Bars(stats, 2, 12, 5, [](int total) { return (6 - std::abs(total - 7)) / 36.0; });
}

double ChiSquareTail(double x, int degrees) {
    return GammaTail(degrees / 2.0, x / 2.0);
}

FairnessVerdict JudgeFairness(const std::vector<DiceBar>& bars) {
    FairnessVerdict verdict;
    // The test holds when no result is expected less than once and at most a fifth of them less than
    // five times; with fewer rolls any verdict would be noise.
    std::size_t small = 0;
    bool enough = !bars.empty();
    for (const DiceBar& bar : bars) {
        enough = enough && bar.expected >= 1;
        small += bar.expected < 5 ? 1 : 0;
        if (bar.expected > 0) {
            verdict.chiSquare += (bar.count - bar.expected) * (bar.count - bar.expected) / bar.expected;
        }
    }
    if (!enough || small * 5 > bars.size()) {
        verdict.text = "too few rolls to judge";
        return verdict;
    }
    verdict.p = ChiSquareTail(verdict.chiSquare, static_cast<int>(bars.size()) - 1);
    // Below one in a hundred: a player who looks after every few rolls would otherwise be told of
    // unusual dice every twentieth look at fair ones.
    if (*verdict.p >= 0.01) {
        verdict.text = "consistent with fair dice";
    } else if (*verdict.p < 0.001) {
        verdict.text = "unusual: p < 0.001";
    } else {
        char p[16];
        std::snprintf(p, sizeof p, "%.3f", *verdict.p);
        verdict.text = std::string("unusual: p = ") + p;
    }
    return verdict;
}

std::string BarsDescription(const std::string& roll, const std::vector<DiceBar>& bars) {
    std::string text = roll + " ";
    for (const DiceBar& bar : bars) {
        char fair[32];
        std::snprintf(fair, sizeof fair, "%.2f", bar.expected);
        text += (&bar == &bars.front() ? "" : ", ") + std::to_string(bar.result) + ": " +
                std::to_string(bar.count) + " rolled, " + fair + " fair";
    }
    return text;
}

std::optional<std::string> ExportDiceCsv(const std::array<std::int32_t, 18>& stats) {
    const std::optional<std::string> fileName =
        platform::CurrentDialogs().SaveFileName("Export Dice Statistics", "Dice_Statistics.csv", kCsvFilter);
    if (!fileName) {
        return std::nullopt;
    }
    std::ofstream out(*fileName, std::ios::binary | std::ios::trunc);
    out << DiceStatsCsv(stats);
    out.close();
    if (!out) {
        ShowMessage("The dice statistics cannot be written to " + *fileName + ".", false);
        return std::nullopt;
    }
    return fileName;
}

std::string DiceStatsCsv(const std::array<std::int32_t, 18>& stats) {
    std::string csv = "roll,result,count,fair dice\r\n";
    for (const auto& [roll, bars] : {std::pair{"dr", DrBars(stats)}, {"DR", DRBars(stats)}}) {
        for (const DiceBar& bar : bars) {
            char fair[32];
            std::snprintf(fair, sizeof fair, "%.2f", bar.expected);
            csv += std::string(roll) + "," + std::to_string(bar.result) + "," + std::to_string(bar.count) +
                   "," + fair + "\r\n";
        }
    }
    return csv;
}

} // namespace dorva::data
