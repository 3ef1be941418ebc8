#pragma once
// The reader of the table file config.sco: section search, list and grid reading, and the loading
// of the whole table store.
//
// Layout: a 2-character header; sections of byte 31, a 2-character code and data; list data of a
// 2-character count and fields; grid data of a 2-character row count, a 2-character column count and
// the fields row by row; every field ended by byte 30. Positions count from 1 at the first byte.

#include "data/Tables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorva::data {

// --- On the bytes of a table file (what the fuzzers drive) ---

// The position of the first byte of the data of the first section whose code equals code
// (case-sensitive), or nullopt when the file has no such section.
std::optional<std::int32_t> LocateTableSection(std::string_view bytes, std::string_view code);
// As the program has always answered: the found position, or when there is none the count of bytes
// passed after the header.
std::int32_t FindTableSection(std::string_view bytes, std::string_view code);
// Fills table from the list section at position: entries 0 to N. With absentWhenEmpty a count of 0
// makes the table absent (no entries); otherwise it holds only entry 0.
void ReadListSection(std::string_view bytes, std::int32_t position, ListTable& table, bool absentWhenEmpty);
// Fills table from the grid section at position.
void ReadGridSection(std::string_view bytes, std::int32_t position, GridTable& table);

// --- On the file ---

// Reads the sixteen tables of the store from the table file at path (a path built by SupportPath),
// in the start-up order, from one reading of the file's bytes. A code the file lacks leaves its table
// absent (A1, A5, HR: only entry 0; grids: no cells) and is returned, in that order, so that start-up
// can tell the player.
// Writes: the table store.
std::vector<std::string> ReadTableStore(const std::string& path);

} // namespace dorva::data
