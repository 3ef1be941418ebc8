#include "data/ScenarioTables.h"

namespace dorva::data {

void ResetScenarioTables() {
    gSquadTable.clear();
    gSquadModifierPeriods.clear();
    for (ListTable* list : {&gScenarioNotes, &gLeaderTable, &gSWTable, &gAFVTable, &gGunsInsideTable,
                            &gGunsOutsideTable, &gSPGTable}) {
        list->clear();
    }
    gSdfTag.clear();
    gAppliedSdfTag.reset();
    gSPGTableFound = true;
}

} // namespace dorva::data
