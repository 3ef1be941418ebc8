#pragma once
// The shapes of the rule tables of config.sco and of the scenario tables of a nationality file.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dorva::data {

// A list table: entries 0 to N, entry 0 empty, entries 1 to N the section's fields in file order.
// An absent table (a list of the second kind read with count 0) has no entries at all.
// Texts are single-byte (Latin-1) text as read from the file.
using ListTable = std::vector<std::string>;

// A grid table with R rows and C columns: cells (row, column) exist for rows 0 to R and columns 0
// to C; row R and column C are empty.
struct GridTable {
    int rows = 0;
    int columns = 0;
    std::vector<std::string> cells; // (rows + 1) * (columns + 1), row by row

    // Makes rows 0 to r and columns 0 to c, all empty (negative sizes count as 0).
    void Create(int r, int c);
    bool Contains(int row, int column) const;
    // The cell's text; the empty text for a cell that does not exist.
    const std::string& Cell(int row, int column) const;
    std::string& CellRef(int row, int column); // the cell must exist
};

// Entry index of a list; the empty text when the list has no such entry. Lookups whose index the
// data may not cover go through here so that a short table cannot crash the program.
const std::string& Entry(const ListTable& table, int index);
// The highest entry number of a list (its upper bound); -1 for an absent list.
int UpperBound(const ListTable& table);

// The sixteen codes of the table store, in the order the start-up loader reads them.
inline constexpr std::array<const char*, 16> kTableCodes = {"A1", "A5", "HR", "4A", "4B", "4C", "3A", "3B",
                                                            "3C", "3D", "3E", "CC", "Ad", "Hd", "IF", "9E"};

struct SquadModifierPeriod {
    std::int32_t FromDate = 0; // YYYYMM
    std::int32_t ToDate = 0;   // YYYYMM
    std::int16_t Modifier = 0;
};

// Squad table columns: 1 first text (the squad), 2 second text (the half squad), 3 special-forces
// marker ("1" marks a special-force squad), 4 class ("E", "1", "2", "C", "G"). Column 0 is empty.
using SquadRow = std::array<std::string, 5>;
// Rows 0 to N; row 0 is empty. Row (final squad DR + 1) is the one a squad roll selects.
using SquadTable = std::vector<SquadRow>;

// Entry 0 of a nationality list whose section (or a variant valid for the date) is not found.
inline constexpr const char* kTableNotFound = "Table not found";

} // namespace dorva::data
