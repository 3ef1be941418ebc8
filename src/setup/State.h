#pragma once
// The scenario parameters: program-wide, set on the set-up and activation screens, saved at Exit.

#include <cstdint>
#include <optional>
#include <string>

namespace dorva::setup {

inline std::string gNationality;   // the chosen nationality's name; empty before the first OK
inline int gEnemyIndex = 0;        // position in the enemy list
inline int gYearIndex = 1;         // 0 to 8 for 1938 to 1946
inline int gMonthIndex = 8;        // 0 to 11 for January to December
inline std::string gGameDate;      // YYYYMM, built at OK; empty before the first OK
inline int gACNumber = 3;          // 2 to 5
inline int gAttitude = 0;          // 0 Hold, 1 Advance
inline int gA1DRM = 0;             // -2 to +2
inline int gA5DRM = 0;             // -2 to +2
inline int gFortsSpecial = 0;      // 0 "Forts not special", 1 "Forts on Final even A1"
inline int gHexGrain = 0;          // 0 long grain, 1 short grain
inline std::int16_t gSeeRolls = 1; // the "See roll outcomes" box
// The log file and the header last written to it at an OK; nothing when none was written yet.
inline std::optional<std::string> gLastHeader;

void ResetState();

} // namespace dorva::setup
