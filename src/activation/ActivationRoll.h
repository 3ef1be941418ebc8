#pragma once
// The activation roll: the modifier total, the outcome against the AC number and its announcement.

#include <cstdint>
#include <optional>
#include <string>

namespace dorva::activation {

enum class Outcome {
    AutomaticallyRemoved,   // a natural 6
    AutomaticallyActivated, // a natural 1
    Activated,              // final DR at most the AC number
    Removed,                // final DR above the AC number
};

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// Modifier-table indices of the five modifier controls.
enum ModifierIndex : int { kAdjVpo = 1, kStoneBuilding = 2, kUnitsNearBy = 3, kHeight = 4, kTerrain = 5 };

// The sum of modifier-table entries 1 to 5.
// Reads: gModifierTable.
std::int16_t TotalModifiers();
// The modifier of a check box (checked -1), of the height list (minus its position) and of the
// terrain list (its position).
std::int16_t CheckModifier(bool checked);
std::int16_t HeightModifier(int position);
std::int16_t TerrainModifier(int position);
// The modifiers display: a leading blank for zero and positive totals (" 0", " 1", "-2").
std::string ModifiersText(int total);

// The first rule that applies: a natural 6 removes, a natural 1 activates, then the final DR
// against the AC number.
Outcome DecideOutcome(int acDie, int finalDR, int acNumber);
// The result line of an outcome and its colour.
std::string ResultText(Outcome outcome);
Rgb ResultColour(Outcome outcome);
// The texts that the VASL activation window and the game log receive.
// Reads: gTempDisplayUnits.
std::string VaslText(Outcome outcome);
std::string LogText(Outcome outcome);

// The roll as the log tells it, in the screen's words: "DR = 3, Modifiers = -1, Final DR = 2, AC# = 3"
// and the result line.
// Reads: acDieRoll, finalDieRoll, gModifierTable, gACNumber.
std::string RollLogText(const std::string& resultLine);

// The rolling part of the activation roll: rolls the activation die, keeps it with the final DR,
// determines the units into gTempDisplayUnits and decides the outcome.
// Reads: gModifierTable, gACNumber. Writes: acDieRoll, finalDieRoll, gTempDisplayUnits, a1Text, gDRStats.
Outcome RollActivation();
// The announcement of a rolled outcome: the VASL activation window (only while visible), the game
// log (only while kept; with every roll logged, the entry starts with the screen and the roll) and
// the voice with the result line as it stands on the screen.
// Reads: gTempDisplayUnits, gKeepLogFile, gLogEveryRoll. Writes: gLastSpokenText.
void AnnounceActivation(Outcome outcome, const std::string& resultLine);

// After a modifier change: the outcome of the last roll with the modifiers as they are now, or
// nothing when no roll was made since the screen was loaded or the roll was a natural 1 or 6.
// Reads: acDieRoll, gModifierTable, gACNumber.
std::optional<Outcome> Reevaluate();

// Manual activation: determines a unit without a check and sends it to the VASL activation window
// and the game log, where it is marked as manual; speaks nothing. Returns the unit text.
// Reads: gKeepLogFile, gLogEveryRoll. Writes: a1Text, gDRStats.
std::string ManualActivation();

inline constexpr const char* kAutomaticallyRemoved = "Suspect Counter Automatically Removed";
inline constexpr const char* kAutomaticallyActivated = "Suspect Counter Automatically Activated";
inline constexpr const char* kActivated = "Suspect Counter Activated";
inline constexpr const char* kRemoved = "Suspect Counter Removed";
inline constexpr const char* kRemovedShort = "(S? removed)";
// The screen's name in the game log, and the mark of a manual activation there.
inline constexpr const char* kActivationScreen = "Activation";
inline constexpr const char* kManualActivationMark = "Manual Activation: ";

} // namespace dorva::activation
