#pragma once
// A small scenario for the activation tests: every table entry names its table and entry number, so
// that a text shows which entry a roll read.

#include "activation/ActivationState.h"
#include "data/ScenarioTables.h"
#include "data/TableStore.h"
#include "setup/Params.h"
#include "shell/ProgramState.h"

#include <string>
#include <vector>

namespace dorva::test {

// Entries 1 to count named prefix + number; entry 0 empty.
inline data::ListTable NumberedList(const std::string& prefix, int count) {
    data::ListTable table(1);
    for (int i = 1; i <= count; ++i) {
        table.push_back(prefix + std::to_string(i));
    }
    return table;
}

// Squad rows 1 to 15 for final squad DRs 0 to 14: first text "SqN", second "HsN" (N the final DR).
// Classes by DR: 2-3 "C", 4 "G", 5-6 "2", 7-9 "1", 10-12 "E", others "1"; 12 is the special force.
inline data::SquadTable ScenarioSquads() {
    data::SquadTable table(1);
    for (int dr = 0; dr <= 14; ++dr) {
        const auto n = std::to_string(dr);
        table.push_back(
            {"", "Sq" + n, "Hs" + n, dr == 12 ? "1" : "0", std::string(1, "11CCG22111EEE11"[dr])});
    }
    return table;
}

// A scenario of Hold attitude without modifiers, see-rolls on, every A1 entry "-".
inline void LoadScenario() {
    ResetProgramState();
    data::gTableA1 = data::ListTable(17, "-");
    data::gTableA1[0].clear();
    data::gTableA5 = NumberedList("Fort", 6);
    data::gSquadTable = ScenarioSquads();
    data::gSquadModifierPeriods = {data::SquadModifierPeriod{}};
    data::gLeaderTable = NumberedList("Ldr", 14);
    data::gSWTable = NumberedList("SW", 11);
    data::gAFVTable = NumberedList("AFV", 11);
    data::gGunsInsideTable = NumberedList("GunIn", 11);
    data::gGunsOutsideTable = NumberedList("GunOut", 11);
    data::gSPGTable = NumberedList("SPG", 11);
    data::gScenarioNotes = {"", "First note", "Second note"};
    data::gSPGTableFound = true;
    data::gSdfTag = "GE";
    setup::gGameDate = "194306";
    setup::gSeeRolls = 1;
    activation::specialForceClass = activation::kAllUnitClasses;
}

inline data::ListTable NotFoundList() {
    return {data::kTableNotFound, ""};
}

} // namespace dorva::test
