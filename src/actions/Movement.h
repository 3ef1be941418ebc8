#pragma once
// Movement commands: the infantry movement roll, whose three DRs wait on their buttons until the
// player picks the one that fits the unit, and the vehicle movement roll.

#include "actions/Results.h"

#include <string>

namespace dorva::actions {

// The three DRs of one infantry movement roll, rolled in this order.
struct InfantryMoveDRs {
    int holdOdd = 0, holdEven = 0, advance = 0;
};
// Writes: gDRStats.
InfantryMoveDRs RollInfantryMove();

// The DR a pending-DR button holds: its caption's leading decimal digits; 0 when there are none.
int CaptionDR(const std::string& caption);

// The command for a pending DR. The odd-hex Hold command fills the upper pair, the even-hex one the
// lower pair, so both can stand together; the Advance command fills the upper pair and blanks the
// lower one.
// Reads: gTable4A (Hold), gTable4B (Advance).
Panel HoldOddCommand(int dr);
Panel HoldEvenCommand(int dr);
Panel AdvanceCommand(int dr);

// Rolls a DR for a vehicle; the DR itself is not shown.
// Reads: gTable4C. Writes: gDRStats.
Panel VehicleMove();

} // namespace dorva::actions
