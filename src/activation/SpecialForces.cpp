#include "activation/SpecialForces.h"

#include "activation/State.h"
#include "activation/UnitDetermination.h"
#include "data/Dice.h"
#include "data/State.h"
#include "setup/State.h"

#include <algorithm>

namespace dorva::activation {
namespace {

bool IsSpecialForceRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= data::gSquadTable.size()) {
        return false;
    }
    return data::gSquadTable[static_cast<std::size_t>(row)][3] == "1";
}

void ShowLine(const std::string& text) {
    if (ActivationView* view = CurrentActivationView()) {
        view->ShowSpecialForceLine(text);
    }
}

void ChooseClass(std::int16_t position) {
    specialForceClass = position;
    if (ActivationView* view = CurrentActivationView()) {
        view->SelectUnitClass(position);
    }
}

} // namespace

void DetermineSpecialForces() {
    hasSpecialForces = 0;
    std::string text = kNoSpecialForces;
    for (std::size_t row = 1; row < data::gSquadTable.size(); ++row) {
        if (data::gSquadTable[row][3] == "1") {
            // The last flagged row names the unit.
            text = "Special Force unit is the " + data::gSquadTable[row][1];
            hasSpecialForces = 1;
        }
    }
    ShowLine(text);
}

void DetermineSpecialForceUse(int whichSquad) {
    if (specialForceClass != kClassUndecided) {
        return;
    }
    if (IsSpecialForceRow(whichSquad + 1)) {
        ShowLine(kSpecialForcesUsed);
        ChooseClass(kSpecialForces);
    } else {
        ShowLine(kSpecialForcesNotUsed);
        ChooseClass(hasSpecialForces == 1 ? kAnyClassButSpecialForces : kAllUnitClasses);
    }
}

std::string FortsSpecial() {
    switch (setup::gAttitude) {
    case 0:
        return DetermineFortification();
    case 1:
        return "Smoke if MPh";
    default:
        return std::string();
    }
}

std::string DetermineFortification() {
    const int dieRoll = data::RollDice(1, 6, data::kRecord);
    int modifier = 0;
    if (gEliteSquad == 1) {
        modifier -= 1;
    }
    if (gGreenSquadsOnly == 1) {
        modifier += 1;
    }
    modifier += setup::gA5DRM;
    const int final = dieRoll + modifier;
    std::string text = data::Entry(data::gTableA5, std::clamp(final, 0, 5) + 1);
    if (SeeRolls()) {
        // The unlimited final shows, so that the player sees how far the modifiers reached.
        text += " (A5 dr=" + Number(dieRoll) + "/" + Number(final) + ")";
    }
    return text;
}

std::string ScenarioNotesText() {
    std::string text;
    const int last = data::UpperBound(data::gScenarioNotes);
    if (last > 1) {
        for (int i = 1; i <= last; ++i) {
            text += data::Entry(data::gScenarioNotes, i);
            text += '\r';
        }
    } else {
        // Entry 0 holds "Table not found" for a missing section. A list of a single note shows its
        // empty entry 0, as the notes of the data files always come in several lines.
        text = data::Entry(data::gScenarioNotes, 0);
        text += '\r';
    }
    return text;
}

bool NeedsNationalityRefresh() {
    return !data::gAppliedSdfTag.has_value() || *data::gAppliedSdfTag != data::gSdfTag;
}

void MarkNationalityApplied() {
    data::gAppliedSdfTag = data::gSdfTag;
    specialForceClass = kClassUndecided;
}

} // namespace dorva::activation
