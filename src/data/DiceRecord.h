#pragma once
// The die-roll statistics belong to a game: they are kept in a file of the player's data folder, so
// that they survive a restart, and start afresh when a new game begins.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace dorva::data {

using DRStats = std::array<std::int32_t, 18>;

struct DiceRecord {
    std::string game; // the game the counts belong to ("German 194306"); empty before its first OK
    DRStats stats{};
    bool operator==(const DiceRecord&) const = default;
};

// The record as its file holds it, and read back; nothing when the text is not a whole record.
std::string DiceRecordText(const DiceRecord& record);
std::optional<DiceRecord> ParseDiceRecord(const std::string& text);

// Reads the record of the last game into gDRStats and gDiceGame. A missing file is a fresh record. A
// damaged one is reported, kept beside it as "<file>.damaged" and replaced by a fresh record; nothing
// else is touched.
// Reads: gDiceRecordFile. Writes: gDRStats, gDiceGame.
void LoadDiceRecord();

// Writes gDRStats and gDiceGame to the file (RollDice calls it after every counted roll) unless a
// batch holds the writes back. A file that cannot be written is reported once in a run.
// Reads: gDiceRecordFile, gDRStats, gDiceGame. Writes: gDiceRecordUnwritableReported.
void SaveDiceRecord();

// The set-up screen's OK: a game other than the record's starts a fresh record.
// Writes: gDRStats, gDiceGame.
void BeginGame(const std::string& game);

// A new game: the counts start afresh and belong to whichever game comes next.
// Writes: gDRStats, gDiceGame.
void StartNewDiceRecord();

// Holds back the writes of the record while it lives and writes once at its end: a batch of ten
// thousand locations is one write, not ten thousand.
class DiceRecordBatch {
public:
    DiceRecordBatch();
    ~DiceRecordBatch();
    DiceRecordBatch(const DiceRecordBatch&) = delete;
    DiceRecordBatch& operator=(const DiceRecordBatch&) = delete;
};

} // namespace dorva::data
