#pragma once
// What the actions and close-combat screens show: the result labels an operation fills, and the rule
// table entries they read, with a note in place of an entry that the table file lacks.

#include "data/Tables.h"

#include <optional>
#include <string>
#include <vector>

namespace dorva::actions {

// The actions screen's two result pairs, each a heading over a text: the upper pair (HoldLB over
// Label10) and the lower pair (AdvanceLB over Label11). An operation sets the labels it names and
// leaves the others as they are.
struct Panel {
    std::optional<std::string> upperHeading = std::nullopt;
    std::optional<std::string> upperText = std::nullopt;
    std::optional<std::string> lowerHeading = std::nullopt;
    std::optional<std::string> lowerText = std::nullopt;
    bool operator==(const Panel&) const = default;
};

// Whether a list has an entry at position (counted from 1).
bool HasEntry(const data::ListTable& list, int position);

// Entry position of a list, counted from 1. A list that the table file lacks, or that is too short,
// gives a note that names the table and the roll ("(table 3B has no entry for DR 12)"), so the player
// sees why no command came; a blank or a crash would tell nothing.
// roll names the roll in the note ("DR 12", "dr 6"); without one the note names none.
std::string EntryOrNote(const data::ListTable& list, const char* code, int position, const std::string& roll);

// The entry of a list indexed by a DR: position DR - 1, so DR 2 reads the first entry.
std::string DREntry(const data::ListTable& list, const char* code, int dr);

// Every roll of these screens counts in the die-roll statistics: two dice (a DR) or one die (a dr).
// Writes: gDRStats.
int RollTwoDice();
int RollOneDie();

// The screens' names in the game log.
inline constexpr const char* kActionsScreen = "Actions";
inline constexpr const char* kCloseCombatScreen = "CC/Melee";

// The texts a panel sets, top to bottom; blanked ones left out.
std::vector<std::string> PanelTexts(const Panel& panel);

// With every roll logged: one entry, the screen's name and what was done on its first line, then the
// texts the operation showed, a line (or more) each.
// Reads: gKeepLogFile, gLogEveryRoll, gLogFileName.
void LogShown(const char* screen, const std::string& what, std::vector<std::string> shown,
              const Panel& panel = {});

} // namespace dorva::actions
