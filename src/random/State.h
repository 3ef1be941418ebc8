#pragma once
// Program-wide values of the random-numbers screen. The results themselves live only in the screen's
// labels; what stays between presses are the bounds of the last range roll.

namespace dorva::random {

// The bounds of the last range roll: the From and To numbers, or the positions of the From and To
// rows in the hex-row list. Held as numbers wide enough for anything the player can type, so that a
// To beyond the 16-bit range reaches the To check and its message instead of failing in a conversion.
inline double fromValue = 0;
inline double toValue = 0;

void ResetState();

} // namespace dorva::random
