#include "actions/CloseCombat.h"

#include "actions/Results.h"
#include "data/State.h"

namespace dorva::actions {

CloseCombatRoll RollCCNtc() {
    const int dr = RollTwoDice();
    return {"CC NTC DR = " + std::to_string(dr), EntryOrNote(data::gTableCC, "CC", 1, "")};
}

CloseCombatRoll RollCCPairings() {
    const int dr = RollOneDie();
    return {"CC Pairings dr = " + std::to_string(dr),
            EntryOrNote(data::gTable3E, "3E", dr, "dr " + std::to_string(dr))};
}

CloseCombatRoll RollCCAttack() {
    return {"CC attack DR = " + std::to_string(RollTwoDice()), ""};
}

} // namespace dorva::actions
