#pragma once
// Fire commands and the unit-action roll: what a revealed enemy unit does in its turn, whether units
// panic, and when it fires, what its attack is.

#include "actions/Results.h"

#include <array>
#include <optional>
#include <string>

namespace dorva::actions {

// The four kinds of attack, in the order of their buttons.
enum class Attack { IFT, LATW, OrdnanceVsVehicle, OrdnanceVsInfantry };
inline constexpr std::array<Attack, 4> kAttacks = {Attack::IFT, Attack::LATW, Attack::OrdnanceVsVehicle,
                                                   Attack::OrdnanceVsInfantry};

// The heading a fire command puts over its result, and the list its result comes from.
const char* AttackHeading(Attack attack);
const data::ListTable& AttackList(Attack attack);
const char* AttackCode(Attack attack);

// An attack result: "Unit attacks", a line break and the list's entry for the DR. A DR of 0 asks for
// a new roll; the DR itself is not shown.
// Reads: gTable3A to gTable3D. Writes: gDRStats when it rolls.
std::string AttackText(Attack attack, int dr);

// A fire command as rolled: the lower pair blanked, its heading and a new attack result above.
// Reads: gTable3A to gTable3D. Writes: gDRStats.
Panel FireCommand(Attack attack);
// A look-up of a DR of the player's own, as the manual die-roll mode gives it, but without that mode:
// the heading says which list was read, the lower pair is blanked as by a fire command.
// Reads: gTable3A to gTable3D.
Panel AttackLookUp(Attack attack, int dr);

// The units that panic on a double: one line per class, each indented by three blanks; "" when the
// dice differ.
std::string PanicList(int value);
// The panic result of the action roll's two dice.
std::string PanicText(int dr1, int dr2);

enum class Attitude { Hold, Advance };
// The text of an action word for an attitude; nothing for a word that is not an action, which leaves
// the result as it was. A "Fire" with the IFT attack assumed rolls an IFT attack.
// Reads: gTable3A. Writes: gDRStats when it rolls.
std::optional<std::string> ActionText(const std::string& word, Attitude attitude, bool assumeIFTAttack);

struct UnitActions {
    std::string actionDR; // "Infantry action DR = 7 (3, 4)"
    std::string panic;    // "(No units panic)", or "Units Panic:" over the list
    Panel panel;          // the Hold action above, the Advance action below
};
// The unit-action roll: two separate dice, the panic of a double, and both attitudes' actions for
// their sum; each "Fire" with the IFT attack assumed rolls a DR of its own, Hold first.
// Reads: gTableHd, gTableAd, gTable3A. Writes: gDRStats.
UnitActions RollUnitActions(bool assumeIFTAttack);

} // namespace dorva::actions
