#pragma once
// A game in the record: its header line in the game log when the set-up screen's OK starts or changes
// it, and its dice statistics, which a new game starts afresh.

#include <string>

namespace dorva::setup {

// The header of a game: the scenario title and every option in force, in the set-up screen's words
// ("=== vs. German: June, 1943 | AC# = 3 | Hold Attitude | No A1 Modifier | ... ===").
// Reads: the scenario parameters.
std::string GameHeader(const std::string& title);

// The set-up screen's OK with the scenario titled title: another nationality or date starts a fresh
// dice record, and while the log is kept, the header goes to it unless this log already has this
// very header last.
// Reads: the scenario parameters, gKeepLogFile, gLogFileName. Writes: gDRStats, gDiceGame,
// gLastHeader.
void RecordGameStart(const std::string& title);

// The "New Game" command: the dice statistics start afresh, and the next OK writes a header whatever
// it holds.
// Writes: gDRStats, gDiceGame, gLastHeader.
void NewGame();

} // namespace dorva::setup
