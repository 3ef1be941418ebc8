#pragma once
// Program-wide values of the activation screen and its rules. They live for the whole run: closing
// the screen and opening it again keeps them (the screen forgets only its last activation die).

#include <cstdint>
#include <optional>
#include <string>

namespace dorva::activation {

// "&Just roll AC dr for me.": 0 shows the activated units on the screen, 1 does not.
inline int gShowActivation = 0;
// "A&uto clear after AC dr".
inline bool gAutoClear = false;
// The unit text of the last activation roll.
inline std::string gTempDisplayUnits;

// The last activation die (1 to 6); empty from the loading of the screen until its first roll.
inline std::optional<int> acDieRoll;
// The activation die plus the modifier total at the time of the roll.
inline std::int16_t finalDieRoll = 0;
// The A1 line of the last unit determination ("A1 DR = 7/6").
inline std::string a1Text;

// 1 when the nationality's squad table has at least one special-force row.
inline int hasSpecialForces = 0;
// The unit-class restriction in force: a position of the class list, or -1 while the special-force
// use is undecided. Loading the screen selects "All Unit Classes" (4).
inline std::int16_t specialForceClass = 4;

// Squad classes drawn in the current activation, read by the fortification roll.
inline int gEliteSquad = 0;       // 1 once an elite squad has been drawn
inline int gGreenSquadsOnly = -1; // -1 none drawn yet, 1 all conscript or green so far, 0 otherwise

// Positions of the class list.
inline constexpr std::int16_t kClassUndecided = -1;
inline constexpr std::int16_t kConscriptGreenOnly = 0;
inline constexpr std::int16_t kSecondLineOnly = 1;
inline constexpr std::int16_t kFirstLineOnly = 2;
inline constexpr std::int16_t kEliteOnly = 3;
inline constexpr std::int16_t kAllUnitClasses = 4;
inline constexpr std::int16_t kAnyClassButSpecialForces = 5;
inline constexpr std::int16_t kSpecialForces = 6;

// What the activation logic shows on the activation screen while it runs. The screen installs itself;
// without a screen the logic still decides and only the showing is skipped.
class ActivationView {
public:
    virtual ~ActivationView() = default;
    virtual void ShowA1Line(const std::string& text) = 0;           // the A1 line
    virtual void ShowSpecialForceLine(const std::string& text) = 0; // the special-force line
    virtual void SelectUnitClass(int position) = 0;                 // the class list's selection
};
void SetActivationView(ActivationView* view);
ActivationView* CurrentActivationView();

void ResetState();

} // namespace dorva::activation
