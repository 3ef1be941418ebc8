#include "actions/Movement.h"

#include "data/State.h"

#include <cctype>

namespace dorva::actions {

InfantryMoveDRs RollInfantryMove() {
    InfantryMoveDRs drs;
    drs.holdOdd = RollTwoDice();
    drs.holdEven = RollTwoDice();
    drs.advance = RollTwoDice();
    return drs;
}

int CaptionDR(const std::string& caption) {
    int dr = 0;
    // A caption holds at most two digits; more could only overflow.
    for (std::size_t i = 0;
         i < caption.size() && i < 4 && std::isdigit(static_cast<unsigned char>(caption[i])); ++i) {
        dr = dr * 10 + (caption[i] - '0');
    }
    return dr;
}

Panel HoldOddCommand(int dr) {
    return {.upperHeading = "Hold Movement Command (Odd hexes)",
            .upperText = DREntry(data::gTable4A, "4A", dr)};
}

Panel HoldEvenCommand(int dr) {
    return {.lowerHeading = "Hold Movement Command (Even hexes)",
            .lowerText = DREntry(data::gTable4A, "4A", dr)};
}

Panel AdvanceCommand(int dr) {
    return {.upperHeading = "Advance Movement Command",
            .upperText = DREntry(data::gTable4B, "4B", dr),
            .lowerHeading = "",
            .lowerText = ""};
}

Panel VehicleMove() {
    Panel panel{.upperHeading = "Vehicle Movement Command", .lowerHeading = "", .lowerText = ""};
    panel.upperText = DREntry(data::gTable4C, "4C", RollTwoDice());
    return panel;
}

} // namespace dorva::actions
