#include "data/State.h"

namespace dorva::data {

ListTable* ListTableOf(const std::string& code) {
    static const std::pair<const char*, ListTable*> tables[] = {
        {"A1", &gTableA1}, {"A5", &gTableA5}, {"HR", &gTableHR}, {"4A", &gTable4A}, {"4B", &gTable4B},
        {"4C", &gTable4C}, {"3A", &gTable3A}, {"3B", &gTable3B}, {"3C", &gTable3C}, {"3D", &gTable3D},
        {"3E", &gTable3E}, {"CC", &gTableCC}, {"Ad", &gTableAd}, {"Hd", &gTableHd}};
    for (const auto& [c, table] : tables) {
        if (code == c) {
            return table;
        }
    }
    return nullptr;
}

GridTable* GridTableOf(const std::string& code) {
    if (code == "IF") {
        return &gTableIF;
    }
    if (code == "9E") {
        return &gTable9E;
    }
    return nullptr;
}

void ResetState() {
    for (const char* code : kTableCodes) {
        if (ListTable* list = ListTableOf(code)) {
            list->clear();
        } else {
            *GridTableOf(code) = GridTable{};
        }
    }
    gModifierTable.fill(0);
    gSquadTable.clear();
    gSquadModifierPeriods.clear();
    for (ListTable* list : {&gScenarioNotes, &gLeaderTable, &gSWTable, &gAFVTable, &gGunsInsideTable,
                            &gGunsOutsideTable, &gSPGTable}) {
        list->clear();
    }
    gSdfTag.clear();
    gAppliedSdfTag.reset();
    gSPGTableFound = true;
    gDRStats.fill(0);
    gDiceGame.clear();
    gDiceRecordFile.clear();
    gDiceRecordUnwritableReported = false;
    gKeepLogFile = 0;
    gLogFileName = "DORVALog.txt";
    gLogEveryRoll = 0;
    gUnwritableLogReported.reset();
    // gProgramFolder stays: it says where the program is, not how far a game has come.
}

} // namespace dorva::data
