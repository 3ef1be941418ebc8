#pragma once
// The scenario of the set-up screen: its lists' entries, how list positions and parameters turn into
// each other, and what OK records.

#include <array>
#include <cstdint>
#include <string>

namespace dorva::setup {

inline constexpr std::array<const char*, 9> kYearEntries = {"1938", "1939", "1940", "1941", "1942",
                                                            "1943", "1944", "1945", "1946"};
inline constexpr std::array<const char*, 12> kMonthEntries = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
inline constexpr std::array<const char*, 4> kACEntries = {"AC# = 2", "AC# = 3", "AC# = 4", "AC# = 5"};
inline constexpr std::array<const char*, 2> kAttitudeEntries = {"Hold Attitude", "Advance Attitude"};
inline constexpr std::array<const char*, 5> kA1Entries = {
    "-2 A1 Modifier", "-1 A1 Modifier", "No A1 Modifier", "+1 A1 Modifier", "+2 A1 Modifier"};
inline constexpr std::array<const char*, 5> kA5Entries = {
    "-2 A5 Modifier", "-1 A5 Modifier", "No A5 Modifier", "+1 A5 Modifier", "+2 A5 Modifier"};
inline constexpr std::array<const char*, 2> kFortsEntries = {"Forts not special", "Forts on Final even A1"};

// The year of year position 0.
inline constexpr int kFirstYear = 1938;

// The A1 and A5 lists run from -2 to +2: position = modifier + 2. The saved settings keep the position.
constexpr int ModifierOfPosition(int position) {
    return position - 2;
}
constexpr int PositionOfModifier(int modifier) {
    return modifier + 2;
}
// The AC list runs from 2 to 5: position = AC number - 2. The saved settings keep the position.
constexpr int ACNumberOfPosition(int position) {
    return position + 2;
}
constexpr int PositionOfACNumber(int acNumber) {
    return acNumber - 2;
}

// The game date of a year position and a month position: the year as 4 digits and the month as 2,
// with a leading zero (June 1943, positions 5 and 5, gives "194306").
std::string MakeGameDate(int yearIndex, int monthIndex);

// gGameDate as a number (0 when it is not one).
// Reads: gGameDate.
std::int32_t GameDateNumber();

// What the set-up screen shows when OK is pressed.
struct ScenarioChoice {
    std::string enemyEntry; // "vs. " and the nationality's name
    int enemyIndex = 0;
    int yearIndex = 0;
    int monthIndex = 0;
    int a1Position = 2;
    int a5Position = 2;
    int fortsPosition = 0;
};

// The set-up screen's OK: stops the sound-level display, records the scenario parameters and reads the
// scenario tables of the nationality for the date. Returns the scenario title ("vs. German: June, 1943").
// Writes: gNationality, gEnemyIndex, gYearIndex, gMonthIndex, gGameDate, gA1DRM, gA5DRM, gFortsSpecial,
// the scenario tables.
std::string CommitScenario(const ScenarioChoice& choice);

} // namespace dorva::setup
