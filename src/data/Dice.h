#pragma once
// The one source of dice for the whole program, and the die-roll statistics.

#include <array>
#include <cstdint>
#include <functional>

namespace dorva::data {

// Record flag values of RollDice: only True (-1) records; any other value, 1 included, does not.
inline constexpr std::int16_t kRecord = -1;
inline constexpr std::int16_t kNoRecord = 0;

// Counts of recorded rolls for the whole run: 1 to 6 one-die results, 7 to 17 two-dice totals 2 to 12
// (index = total + 5). Index 0 stays 0.
inline std::array<std::int32_t, 18> gDRStats{};

// Rolls count dice of sides faces and returns their sum; count 0 or less rolls nothing and returns 0.
// With record == kRecord, one or two six-sided dice are counted in gDRStats.
std::int16_t RollDice(int count, int sides, std::int16_t record);

// Seeds the generator from the system clock (the activation screen does this each time it loads).
void SeedRandomGenerator();
// Seeds the generator with a fixed value, for benchmarks and reproducible runs.
void SeedRandomGenerator(std::uint64_t seed);

// The seam through which tests script the dice: a source of die values, asked with the number of
// faces of the die it must give. An empty source restores the generator.
using DieSource = std::function<int(int sides)>;
void SetDieSource(DieSource source);

// The generator's next number r in [0, 1).
double NextRandom();

void ResetDice();

} // namespace dorva::data
