#include "actions/FireCommands.h"

#include "data/State.h"

namespace dorva::actions {
namespace {

const char* const kLineBreak = "\r\n";

// The action of an attitude for the DR; a list too short for the DR shows its note instead.
// The action lists name one action for every DR from 2 to 12 in 11 entries and are read at
// DR - 1, like every other DR list. Read at DR - 2 instead, a DR of 2 would find no action at all;
// the shipped lists and this lookup are settled together so that every DR finds one.
std::optional<std::string> Action(const data::ListTable& list, const char* code, int dr, Attitude attitude,
                                  bool assumeIFTAttack) {
    if (!HasEntry(list, dr - 1)) {
        return DREntry(list, code, dr);
    }
    return ActionText(data::Entry(list, dr - 1), attitude, assumeIFTAttack);
}

} // namespace

const char* AttackHeading(Attack attack) {
    switch (attack) {
    case Attack::IFT:
        return "IFT Attack Command";
    case Attack::LATW:
        return "LATW Attack Command";
    case Attack::OrdnanceVsVehicle:
        return "Ordance vs. Vehicle Attack Command";
    case Attack::OrdnanceVsInfantry:
        break;
    }
    return "Ordance vs. Infantry Attack Command";
}

const data::ListTable& AttackList(Attack attack) {
    switch (attack) {
    case Attack::IFT:
        return data::gTable3A;
    case Attack::LATW:
        return data::gTable3B;
    case Attack::OrdnanceVsVehicle:
        return data::gTable3C;
    case Attack::OrdnanceVsInfantry:
        break;
    }
    return data::gTable3D;
}

const char* AttackCode(Attack attack) {
    switch (attack) {
    case Attack::IFT:
        return "3A";
    case Attack::LATW:
        return "3B";
    case Attack::OrdnanceVsVehicle:
        return "3C";
    case Attack::OrdnanceVsInfantry:
        break;
    }
    return "3D";
}

std::string AttackText(Attack attack, int dr) {
    if (dr == 0) {
        dr = RollTwoDice();
    }
    return std::string("Unit attacks") + kLineBreak + DREntry(AttackList(attack), AttackCode(attack), dr);
}

Panel FireCommand(Attack attack) {
    Panel panel{.upperHeading = AttackHeading(attack), .lowerHeading = "", .lowerText = ""};
    panel.upperText = AttackText(attack, 0);
    return panel;
}

Panel AttackLookUp(Attack attack, int dr) {
    return {.upperHeading = AttackHeading(attack),
            .upperText = AttackText(attack, dr),
            .lowerHeading = "",
            .lowerText = ""};
}

std::string PanicList(int value) {
    const std::string conscript = "   Conscript/Green";
    const std::string secondLine = "   Partisan/2nd Line";
    const std::string firstLine = "   1st Line";
    switch (value) {
    case 1:
        return conscript;
    case 2:
        return secondLine + kLineBreak + conscript;
    case 3:
    case 4:
        return firstLine + kLineBreak + secondLine + kLineBreak + conscript;
    case 5:
    case 6:
        return "   All units Panic";
    default:
        return "";
    }
}

std::string PanicText(int dr1, int dr2) {
    if (dr1 != dr2) {
        return "(No units panic)";
    }
    return std::string("Units Panic:") + kLineBreak + PanicList(dr1);
}

std::optional<std::string> ActionText(const std::string& word, Attitude attitude, bool assumeIFTAttack) {
    const bool hold = attitude == Attitude::Hold;
    if (word == "Move") {
        return hold ? "Unit moves. Mark with a MOVE counter. Entrench if possible and no Target."
                    : "Unit moves. Mark with a MOVE counter.";
    }
    if (word == "Entrench") {
        return "Unit Entrenches";
    }
    if (word == "Panic") {
        return "Unit automatically Panics";
    }
    if (word == "Fire") {
        if (assumeIFTAttack) {
            return AttackText(Attack::IFT, 0);
        }
        return hold ? "Unit Fires. Select attack type from selection to the right."
                    : "Unit Fires. Select attack type from selection to the right. Move if no Target";
    }
    return std::nullopt;
}

UnitActions RollUnitActions(bool assumeIFTAttack) {
    const int dr1 = RollOneDie();
    const int dr2 = RollOneDie();
    const int dr = dr1 + dr2;
    UnitActions result;
    result.actionDR = "Infantry action DR = " + std::to_string(dr) + " (" + std::to_string(dr1) + ", " +
                      std::to_string(dr2) + ")";
    result.panic = PanicText(dr1, dr2);
    result.panel.upperHeading = "Hold Attitude Unit's Actions";
    result.panel.upperText = Action(data::gTableHd, "Hd", dr, Attitude::Hold, assumeIFTAttack);
    result.panel.lowerHeading = "Advance Attitude Unit's Actions";
    result.panel.lowerText = Action(data::gTableAd, "Ad", dr, Attitude::Advance, assumeIFTAttack);
    return result;
}

} // namespace dorva::actions
