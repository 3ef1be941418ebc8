#pragma once
// Where a suspect counter stands: one location at a time, or a batch written to a file the player
// keeps beside the game.

#include <optional>
#include <string>
#include <string_view>

namespace dorva::random {

// The screen's name in the game log.
inline constexpr const char* kLocationsScreen = "S? Locations";

// Rolls a dr (lowered by 1 on a village board) and returns the prefix ("dr = ", on a village board
// "Modified dr = ") and the location's screen text, column 0 of its row of the 9E table. With show,
// the row's column-1 text goes to the VASL activation window and the voice, and with every roll
// logged, the screen text to the game log.
// Reads: gTable9E, gSpeak, gVoiceAvailable, gKeepLogFile, gLogEveryRoll. Writes: gDRStats, gLastSpokenText.
std::string LocationDieRoll(bool show, bool village);

// Appends the line (table text; a line break inside it becomes a blank, so that the file keeps one
// location a line) and a carriage return and line feed to the file, creating it when it does not
// exist; the file is open only for this line. The line is written whole or not at all. False when it
// could not be written.
bool AppendLocationLine(const std::string& line, const std::string& fileName);

// The number of locations when the text reads as a number (blanks around it allowed; a sign, a
// fraction and an exponent too), else nothing.
std::optional<double> LocationCount(std::string_view text);

// Saving a batch: a count that is not a number, or one above kMostLocations, gets its message and
// nothing else happens; the save
// dialog offers "Suspect_Locations" ("Village_Suspect_Locations" on a village board); then one
// location per whole number from 1 up to the count is appended to the chosen file, neither shown
// nor spoken; with every roll logged, one log line says how many went to which file. A file that
// cannot be written ends the batch silently, keeping the lines written.
// Returns the chosen file name, or nothing when the count was refused or the dialog cancelled.
// Reads: gTable9E, gKeepLogFile, gLogEveryRoll. Writes: gDRStats.
std::optional<std::string> SaveLocations(std::string_view countText, bool village);

inline constexpr const char* kLocationsFilter = "S? Locations File (*.txt) | *.txt";

} // namespace dorva::random
