#pragma once
// The rolls of close combat (melee): the NTC before units advance into it, how they pair off, and
// the attack. The advance direction is the movement direction roll.

#include <string>

namespace dorva::actions {

struct CloseCombatRoll {
    std::string roll; // "CC NTC DR = 8"
    std::string text; // the explanation from the rule tables
};

// The NTC text does not depend on the DR.
// Reads: gTableCC. Writes: gDRStats.
CloseCombatRoll RollCCNtc();
// Reads: gTable3E. Writes: gDRStats.
CloseCombatRoll RollCCPairings();
// The attack DR has no text: it blanks the one left by the other rolls.
// Writes: gDRStats.
CloseCombatRoll RollCCAttack();

} // namespace dorva::actions
