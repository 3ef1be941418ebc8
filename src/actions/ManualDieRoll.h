#pragma once
// The manual die-roll mode of the actions screen: the player chooses the DR of a fire command, for
// instance to look up a roll made with real dice. While it is on, the fire buttons select a list and
// the DR buttons 2 to 12 show that list's entry; nothing is rolled.

#include "actions/FireCommands.h"

#include <array>
#include <string>

namespace dorva::actions {

class ManualDieRoll {
public:
    // The mode switched on (the IFT list selected, the prompt shown) or off (the texts stay).
    // Returns what the result labels show.
    Panel Switch(bool on);
    // A fire button while the mode is on: its list selected, the prompt shown again.
    Panel Select(Attack attack);
    // A DR button: the selected list's attack result for the DR, no heading changed.
    Panel Result(int dr) const;

    bool IsOn() const { return on_; }
    Attack Selected() const { return selected_; }
    // The DR buttons can be pressed exactly while the mode is on.
    bool DRButtonsEnabled() const { return on_; }
    // The markers beside the four fire buttons, in their order: "->" beside the selected one while
    // the mode is on, blank otherwise.
    std::array<std::string, 4> Markers() const;

    static Panel ChooseDRPrompt();

private:
    bool on_ = false;
    // Kept while the screen is loaded, also while the mode is off.
    Attack selected_ = Attack::IFT;
};

} // namespace dorva::actions
