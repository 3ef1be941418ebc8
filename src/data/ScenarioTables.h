#pragma once
// The scenario tables of the chosen nationality and date, rebuilt at every OK of the set-up screen.

#include "data/TableStore.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dorva::data {

struct SquadModifierPeriod {
    std::int32_t FromDate = 0; // YYYYMM
    std::int32_t ToDate = 0;   // YYYYMM
    std::int16_t Modifier = 0;
};

// Squad table columns: 1 first text (the squad), 2 second text (the half squad), 3 special-forces
// marker ("1" marks a special-force squad), 4 class ("E", "1", "2", "C", "G"). Column 0 is empty.
using SquadRow = std::array<std::string, 5>;
// Rows 0 to N; row 0 is empty. Row (final squad DR + 1) is the one a squad roll selects.
using SquadTable = std::vector<SquadRow>;

inline SquadTable gSquadTable;
// Records 0 to M; record 0 is all zero.
inline std::vector<SquadModifierPeriod> gSquadModifierPeriods;

// Text lists: entries 0 to N as ListTable; a list whose section (or a variant valid for the date)
// is not found has entries 0 and 1 with "Table not found" in entry 0.
inline ListTable gScenarioNotes;     // "01"
inline ListTable gLeaderTable;       // "03"
inline ListTable gSWTable;           // "04"
inline ListTable gAFVTable;          // "06"
inline ListTable gGunsInsideTable;   // "5I"
inline ListTable gGunsOutsideTable;  // "5O"
inline ListTable gSPGTable;          // "6A"

// The tag (positions 3 and 4) of the nationality file last searched.
inline std::string gSdfTag;
// The tag the activation screen last applied; empty optional (the "-1" of start-up) until then.
inline std::optional<std::string> gAppliedSdfTag;
// Whether the chosen nationality has an SPG table valid for the date.
inline bool gSPGTableFound = true;

inline constexpr const char* kTableNotFound = "Table not found";

void ResetScenarioTables();

} // namespace dorva::data
