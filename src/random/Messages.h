#pragma once
// The numbered message texts of the random-numbers and locations screens, and their showing.

#include <string>

namespace dorva::random {

inline constexpr int kCountNotANumber = 102;
inline constexpr int kBoundsOfMixedType = 103;
inline constexpr int kNumberFromBelowOne = 104;
inline constexpr int kNumberFromAbove999 = 105;
inline constexpr int kNumberToNotAboveFrom = 106;
inline constexpr int kNumberToAbove1000 = 107;
inline constexpr int kRowFromBelowOne = 108;
inline constexpr int kRowFromAboveYY = 109;
inline constexpr int kRowToNotAboveFrom = 110;
inline constexpr int kRowToAboveZZ = 111;
inline constexpr int kCountAboveLimit = 112;

// The most locations one batch writes. A game places tens of suspect counters, and every line opens
// and closes the file, so a count of millions would hold the program for hours with no way to stop it.
inline constexpr int kMostLocations = 10000;

// The text of a message by its number; the empty text for a number that is not one of them.
const std::string& MessageText(int number);

// Shows the message in a box with only an OK button and returns its number.
int ShowNumberedMessage(int number);

} // namespace dorva::random
