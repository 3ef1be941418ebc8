#include "activation/UnitDetermination.h"

#include "activation/SpecialForces.h"
#include "activation/State.h"
#include "data/Dice.h"
#include "data/State.h"
#include "setup/Scenario.h"
#include "setup/State.h"

namespace dorva::activation {
namespace {

constexpr int kClassAttempts = 100;

// A cell of the squad table; the empty text outside it (the data is expected to cover every row a
// roll can reach, but a short table must not crash the program).
const std::string& SquadCell(int row, int column) {
    static const std::string empty;
    if (row < 0 || static_cast<std::size_t>(row) >= data::gSquadTable.size() || column < 0 || column > 4) {
        return empty;
    }
    return data::gSquadTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool IsSpecialForce(int row) {
    return SquadCell(row, 3) == "1";
}

bool ClassAccepted(int row) {
    const std::string& cls = SquadCell(row, 4);
    switch (specialForceClass) {
    case kConscriptGreenOnly:
        return cls == "C" || cls == "G";
    case kSecondLineOnly:
        return cls == "2";
    case kFirstLineOnly:
        return cls == "1";
    case kEliteOnly:
        return cls == "E" && !IsSpecialForce(row);
    case kAnyClassButSpecialForces:
        return !IsSpecialForce(row);
    case kSpecialForces:
        return IsSpecialForce(row);
    default: // undecided, "All Unit Classes"
        return true;
    }
}

std::string SeeRoll(const char* table, int dieRoll) {
    return SeeRolls() ? std::string(" (") + table + " DR=" + Number(dieRoll) + ")" : std::string();
}

std::string AFVLine(int unitDR) {
    const int die = data::RollDice(1, 6, data::kRecord);
    std::string text = (!data::gSPGTableFound || die <= 4)
                           ? PickTableEntry(data::gAFVTable, unitDR - 1, "(AFV)")
                           : SPGType(unitDR);
    if (text.find('[') != std::string::npos) {
        text = PickOne(text);
    }
    return text + SeeRoll("x6", unitDR);
}

} // namespace

// The set-up screen's "See roll outcomes" handler keeps gSeeRolls equal to the box at every moment,
// so the value stands for the box itself.
bool SeeRolls() {
    return setup::gSeeRolls == 1;
}

std::string Number(int value) {
    return std::to_string(value);
}

std::string ShowA1DieRoll(const std::string& theCaption) {
    const std::string shown = gShowActivation == 0 ? theCaption : std::string();
    if (ActivationView* view = CurrentActivationView()) {
        view->ShowA1Line(shown);
    }
    return shown;
}

std::string PickTableEntry(const data::ListTable& table, int index, const std::string& defaultText) {
    if (data::UpperBound(table) >= 2) {
        // An index past a loaded table's end gives the empty text rather than undefined behaviour.
        return data::Entry(table, index);
    }
    return defaultText;
}

std::string PickOne(const std::string& myString) {
    const int die = data::RollDice(1, 6, data::kNoRecord);
    std::size_t start = 0;
    while (start < myString.size()) {
        const std::size_t bracket = myString.find('[', start);
        if (bracket == std::string::npos) {
            break;
        }
        const char digit = bracket + 1 < myString.size() ? myString[bracket + 1] : ' ';
        const int n = (digit >= '0' && digit <= '9') ? digit - '0' : 0;
        if (n >= die) {
            return myString.substr(start, bracket - start);
        }
        start = bracket + 4; // past "[n] "
    }
    return myString;
}

int DetermineSquadModifiers() {
    const std::int32_t date = setup::GameDateNumber();
    int result = 0;
    for (std::size_t i = 1; i < data::gSquadModifierPeriods.size(); ++i) {
        const data::SquadModifierPeriod& period = data::gSquadModifierPeriods[i];
        if (date >= period.FromDate && date <= period.ToDate) {
            result = period.Modifier;
        }
    }
    return result;
}

int EnforceClassRestrictions(int dieModifiers) {
    for (int attempt = 1;; ++attempt) {
        const int dieRoll = data::RollDice(2, 6, data::kNoRecord);
        if (attempt == kClassAttempts) {
            return dieRoll;
        }
        if (ClassAccepted(dieRoll + dieModifiers + 1)) {
            return dieRoll;
        }
    }
}

void NoteSquadClass(int squadRow) {
    const std::string& cls = SquadCell(squadRow + 1, 4);
    if (cls == "E") {
        gEliteSquad = 1;
        gGreenSquadsOnly = 0;
    } else if (cls == "C" || cls == "G") {
        if (gGreenSquadsOnly != 0) {
            gGreenSquadsOnly = 1;
        }
    } else {
        gGreenSquadsOnly = 0;
    }
}

std::string ShowSquads(int squadSize) {
    const int modifiers = DetermineSquadModifiers();
    const int squadDR = EnforceClassRestrictions(modifiers);
    const int finalDR = squadDR + modifiers;
    DetermineSpecialForceUse(finalDR);
    NoteSquadClass(finalDR);
    std::string line = SquadCell(finalDR + 1, squadSize);
    if (SeeRolls()) {
        line += " (x2 DR=" + Number(squadDR) + "/" + Number(finalDR) + ")";
    }
    return line;
}

std::string GunType(int theDieRoll) {
    std::string text = PickTableEntry(data::gGunsInsideTable, theDieRoll - 1, "(Gun Inside)");
    if (SeeRolls()) {
        text += " (x5 DR=" + Number(theDieRoll) + ") Gun Inside";
    }
    text += "\r\n";
    text += PickTableEntry(data::gGunsOutsideTable, theDieRoll - 1, "(Gun Outside)");
    if (SeeRolls()) {
        text += " (x5 DR=" + Number(theDieRoll) + ") Gun Outside";
    }
    return text;
}

std::string SPGType(int theDieRoll) {
    const std::string s = PickTableEntry(data::gSPGTable, theDieRoll - 1, "(SP Gun)");
    if (s != "NOTE1") {
        return s + SeeRoll("x6a", theDieRoll);
    }
    return PickTableEntry(data::gAFVTable, theDieRoll - 1, "(AFV)") + SeeRoll("x6", theDieRoll);
}

std::string DisplayActivatedUnits() {
    const int a1DR = data::RollDice(2, 6, data::kRecord);
    const int finalA1DR = a1DR - (setup::gAttitude == 1 ? 1 : 0) + setup::gA1DRM;
    a1Text = "A1 DR = " + Number(a1DR) + "/" + Number(finalA1DR);

    gEliteSquad = 0;
    gGreenSquadsOnly = -1;
    std::string output;
    bool fortification = false;

    const std::string codes = data::Entry(data::gTableA1, finalA1DR + 2);
    for (const char code : codes) {
        // Every code rolls its unit DR, also those that do not use it.
        const int unitDR = data::RollDice(2, 6, data::kRecord);
        std::string line;
        switch (code) {
        case 'S':
            line = ShowSquads(1);
            break;
        case 'H':
            line = ShowSquads(2);
            break;
        case 'L':
            line = PickTableEntry(data::gLeaderTable, unitDR + 1, "(Leader)") + SeeRoll("x3", unitDR);
            break;
        case 'W':
            line = PickTableEntry(data::gSWTable, unitDR - 1, "(SW)") + SeeRoll("x4", unitDR);
            break;
        case 'A':
            line = AFVLine(unitDR);
            break;
        case 'G':
            line = GunType(unitDR);
            break;
        case 'P':
            line = data::gSPGTableFound ? SPGType(unitDR) : GunType(unitDR);
            break;
        case 'F':
            line = FortsSpecial();
            fortification = true;
            break;
        case 'R':
            // A rider continues the line before it. The data never opens an entry with a rider; if
            // one did, the rider text simply stands on its own line.
            if (!output.empty()) {
                output.pop_back();
            }
            line = " as Rider (D6.2)";
            break;
        case '-':
            line = "(no unit activated)";
            break;
        default:
            line = std::string(1, code);
            break;
        }
        output += line;
        output += '\r';
    }

    // The option speaks of the final A1 DR, but the parity is that of the DR as rolled.
    if (setup::gFortsSpecial == 1 && a1DR % 2 == 0 && !fortification) {
        output += FortsSpecial();
        output += '\r';
    }
    output += '\r';
    ShowA1DieRoll(a1Text);
    return output;
}

} // namespace dorva::activation
