#pragma once
// The one source of dice for the whole program.

#include <cstdint>

namespace dorva::data {

// Record flag values of RollDice: only True (-1) records; any other value, 1 included, does not.
inline constexpr std::int16_t kRecord = -1;
inline constexpr std::int16_t kNoRecord = 0;

// Rolls count dice of sides faces and returns their sum; count 0 or less rolls nothing and returns 0.
// With record == kRecord, one or two six-sided dice are counted in gDRStats.
// Writes: gDRStats (and its record, DiceRecord.h).
std::int16_t RollDice(int count, int sides, std::int16_t record);

} // namespace dorva::data
