#pragma once
// Program-wide values of the game data: the table store, the scenario tables, the die-roll
// statistics, the game-log options and where the support files are. They live for the whole run.

#include "data/Tables.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dorva::data {

// --- The table store: filled once at start-up, read-only afterwards ---
inline ListTable gTableA1; // unit codes of an activation (A1)
inline ListTable gTableA5; // fortifications (A5)
inline ListTable gTableHR; // hex-row names "A" to "ZZ"
inline ListTable gTable4A, gTable4B, gTable4C;
inline ListTable gTable3A, gTable3B, gTable3C, gTable3D, gTable3E;
inline ListTable gTableCC, gTableAd, gTableHd;
inline GridTable gTableIF, gTable9E;

// The activation screen's modifier table: entries 0 to 5, created with the store at start-up (all
// 0); entries 1 to 5 are the five modifier controls.
inline std::array<std::int16_t, 6> gModifierTable{};

// The store's table of a code (nullptr when the code is not one of the sixteen).
ListTable* ListTableOf(const std::string& code);
GridTable* GridTableOf(const std::string& code);

// --- The scenario tables of the chosen nationality and date, rebuilt at every OK ---
inline SquadTable gSquadTable;
inline std::vector<SquadModifierPeriod> gSquadModifierPeriods; // records 0 to M; record 0 all zero
inline ListTable gScenarioNotes;                               // "01"
inline ListTable gLeaderTable;                                 // "03"
inline ListTable gSWTable;                                     // "04"
inline ListTable gAFVTable;                                    // "06"
inline ListTable gGunsInsideTable;                             // "5I"
inline ListTable gGunsOutsideTable;                            // "5O"
inline ListTable gSPGTable;                                    // "6A"

// The tag (positions 3 and 4) of the nationality file last searched.
inline std::string gSdfTag;
// The tag the activation screen last applied; empty (the "-1" of start-up) until then.
inline std::optional<std::string> gAppliedSdfTag;
// Whether the chosen nationality has an SPG table valid for the date.
inline bool gSPGTableFound = true;

// --- Dice ---
// Counts of recorded rolls of the game: 1 to 6 one-die results, 7 to 17 two-dice totals 2 to 12
// (index = total + 5). Index 0 stays 0. Kept in gDiceRecordFile from one run to the next.
inline std::array<std::int32_t, 18> gDRStats{};
// The game the counts belong to (nationality and date); empty until a game is chosen.
inline std::string gDiceGame;
// Where the counts are kept; empty (the start value, and in tests that do not ask for it) keeps them
// for the run only. Start-up points it into the player's data folder.
inline std::filesystem::path gDiceRecordFile;
inline bool gDiceRecordUnwritableReported = false;

// --- The game log ---
inline std::int16_t gKeepLogFile = 0;
inline std::string gLogFileName = "DORVALog.txt"; // the file system's UTF-8
// 1 when the rolls of every screen go to the log too ("Log every roll"). Off until the saved settings
// say otherwise, so that the log holds only activations unless the player asked for more.
inline std::int16_t gLogEveryRoll = 0;
// The log path whose failure to be written was last reported (reported once per path).
inline std::optional<std::string> gUnwritableLogReported;

// --- The support folder ---
// The folder that holds DORVA_Support: the program's own folder, or for an installed copy its data
// folder. Set once by start-up (ResetState leaves it); tests point it at a folder of their own.
inline std::filesystem::path gProgramFolder;

void ResetState();

} // namespace dorva::data
