#include "data/Dice.h"

#include <chrono>
#include <random>

namespace dorva::data {
namespace {

std::mt19937_64& Generator() {
    static std::mt19937_64 generator;
    return generator;
}

DieSource& Source() {
    static DieSource source;
    return source;
}

int Die(int sides) {
    if (Source()) {
        return Source()(sides);
    }
    return static_cast<int>(NextRandom() * sides) + 1;
}

} // namespace

double NextRandom() {
    // 53 random bits give every double in [0, 1) on an even grid, never 1 itself.
    return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

std::int16_t RollDice(int count, int sides, std::int16_t record) {
    const auto dice = static_cast<std::int16_t>(count);
    int total = 0;
    for (int i = 0; i < dice; ++i) {
        total += Die(sides);
    }
    if (record == kRecord && sides == 6) {
        // A scripted die outside 1 to 6 must not reach past the counters.
        if (dice == 1 && total >= 1 && total <= 6) {
            ++gDRStats[static_cast<std::size_t>(total)];
        } else if (dice == 2 && total >= 2 && total <= 12) {
            ++gDRStats[static_cast<std::size_t>(total + 5)];
        }
    }
    return static_cast<std::int16_t>(total);
}

void SeedRandomGenerator() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<std::uint64_t>(now), static_cast<std::uint64_t>(now >> 32),
                      static_cast<std::uint64_t>(std::random_device{}())};
    Generator().seed(seq);
}

void SeedRandomGenerator(std::uint64_t seed) { Generator().seed(seed); }

void SetDieSource(DieSource source) { Source() = std::move(source); }

void ResetDice() {
    gDRStats.fill(0);
    Generator().seed(std::mt19937_64::default_seed);
    Source() = nullptr;
}

} // namespace dorva::data
