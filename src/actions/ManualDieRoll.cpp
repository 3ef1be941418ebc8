#include "actions/ManualDieRoll.h"

namespace dorva::actions {

Panel ManualDieRoll::Switch(bool on) {
    on_ = on;
    if (!on) {
        return {};
    }
    selected_ = Attack::IFT;
    return ChooseDRPrompt();
}

Panel ManualDieRoll::Select(Attack attack) {
    selected_ = attack;
    return ChooseDRPrompt();
}

Panel ManualDieRoll::Result(int dr) const {
    return {.upperText = AttackText(selected_, dr)};
}

std::array<std::string, 4> ManualDieRoll::Markers() const {
    std::array<std::string, 4> markers;
    if (on_) {
        markers[static_cast<std::size_t>(selected_)] = "->";
    }
    return markers;
}

Panel ManualDieRoll::ChooseDRPrompt() {
    return {.upperHeading = "",
            .upperText = "(Choose a specific DR to display)",
            .lowerHeading = "",
            .lowerText = ""};
}

} // namespace dorva::actions
