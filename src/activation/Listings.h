#pragma once
// The read-only listings of the nationality's unit tables that the table viewer shows.

#include "data/Tables.h"

#include <string>

namespace dorva::activation {

// value padded with blanks on the left to width characters (a longer value stays whole).
std::string PadLeft(const std::string& value, std::size_t width);

// The squad table, one row per final squad DR from 0, with the class and the special-force mark.
// Reads: gSquadTable.
std::string ShowInfantry();
// The leader table, one row per unit DR from 0.
// Reads: gLeaderTable.
std::string ShowLeaders();
// A unit table read by unit DR - 1, one row per DR from 2; theCaption + " info not available" for a
// table that was not loaded.
std::string ShowAFV(const data::ListTable& whichTable, const std::string& theCaption);

} // namespace dorva::activation
