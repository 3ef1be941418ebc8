#pragma once
// The rolls of the random-numbers screen: one die, two dice, a hex row from A to GG, a number from 1
// to 10, and a number or hex row from a range the player enters. Each roll puts its sentence into
// the VASL activation window and speaks it; the screen shows the values returned.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorva::random {

// The screen's name in the game log.
inline constexpr const char* kRandomNumbersScreen = "Random Numbers";

struct TwoDice {
    int colored = 0; // rolled first
    int white = 0;
    int Total() const { return colored + white; }
};

// Each counts in the die-roll statistics: the dr and both dice of the DR as drs; the A-to-GG and
// 1-to-10 rolls never: the statistics count six-sided dice only.
// Reads: gSpeak, gVoiceAvailable. Writes: gDRStats, gLastSpokenText.
int SingleDieRoll();
TwoDice TwoDiceRoll();
std::string AToGGRoll(); // the row's name
int OneToTenRoll();

// A bound is a number when it begins with a decimal digit; anything else names a hex row.
bool IsNumberBound(std::string_view text);
// The number a text begins with: its leading digits with an optional fraction ("12abc" is 12,
// "2.5x" is 2.5); 0 when it begins with none.
double LeadingNumber(std::string_view text);

// The position of the first hex row, from position 0 on, whose name equals name with letter case
// ignored; the last position plus one when none does. The empty text is position 0.
// Reads: gTableHR.
int RowPosition(std::string_view name);
// The name of the hex row at a position, or the position as a number where the list has no name.
// Reads: gTableHR.
std::string RowName(int position);

// The checks of the range bounds. Each returns the numbers of the messages it showed, in order
// (the From check's first); none means the range is accepted.
// Reads: fromValue, toValue.
std::vector<int> XToYNumberCase();
// Reads: gTableHR. Writes: fromValue, toValue.
std::vector<int> XToYLetterCase(std::string_view fromText, std::string_view toText);

struct RangeRoll {
    bool letterRange = false;          // both bounds name rows: the result shows as a row name from now on
    std::vector<int> messages;         // the messages shown, in order
    std::optional<std::string> result; // the result text; nothing when the range was refused
};

// The range roll from the bound texts; showAsLetters shows a number range's result as a row name.
// Reads: gTableHR, gSpeak, gVoiceAvailable. Writes: fromValue, toValue, gDRStats, gLastSpokenText.
RangeRoll DieXThroughY(std::string_view fromText, std::string_view toText, bool showAsLetters);

} // namespace dorva::random
