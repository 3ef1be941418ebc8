#pragma once
// The rule tables of config.sco, read once at start-up and read-only afterwards.

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

inline ListTable gTableA1; // unit codes of an activation (A1)
inline ListTable gTableA5; // fortifications (A5)
inline ListTable gTableHR; // hex-row names "A" to "ZZ"
inline ListTable gTable4A, gTable4B, gTable4C;
inline ListTable gTable3A, gTable3B, gTable3C, gTable3D, gTable3E;
inline ListTable gTableCC, gTableAd, gTableHd;
inline GridTable gTableIF, gTable9E;

// The activation screen's modifier table: entries 0 to 5, all 0 at start-up; entries 1 to 5 are the
// five modifier controls.
inline std::array<std::int16_t, 6> gModifierTable{};

// The sixteen codes of the store, in the order the start-up loader reads them.
inline constexpr std::array<const char*, 16> kTableCodes = {"A1", "A5", "HR", "4A", "4B", "4C", "3A", "3B",
                                                          "3C", "3D", "3E", "CC", "Ad", "Hd", "IF", "9E"};

// The store's table of a code (nullptr when the code is not one of the sixteen).
ListTable* ListTableOf(const std::string& code);
GridTable* GridTableOf(const std::string& code);

void ResetTableStore();

} // namespace dorva::data
