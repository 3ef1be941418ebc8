#pragma once
// The reader of the nationality files <Nationality>.sdf and the building of the scenario tables.
//
// Layout: a 2-character header, a 2-character tag; sections of byte 31, a 2-character code, a
// 6-character date and data; further dated variants introduced by byte 29 and a 6-character date;
// 3-character counts; fields ended by byte 30.

#include "data/Tables.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dorva::data {

// --- On the bytes of a nationality file (what the fuzzers drive) ---

// The first byte of the data of the first variant of section code whose date is not earlier than
// gameDate, or -1. Sets tag to positions 3 and 4 of the file.
std::int32_t FindNationalitySection(std::string_view bytes, std::string_view code, std::int32_t gameDate,
                                    std::string& tag);
// Fills gSquadTable-shaped rows and the periods from the squad section at position (the built-in
// table when position is less than 1).
void ReadSquadSection(std::string_view bytes, std::int32_t position, SquadTable& squads,
                      std::vector<SquadModifierPeriod>& periods);
// Fills a text list from the section at position ("Table not found" when position is -1).
void ReadNationalityTable(std::string_view bytes, std::int32_t position, ListTable& table);

// --- On the file of a nationality ---

// "DORVA_Support/<nationality>.sdf".
std::string NationalityPath(const std::string& nationality);

// Reads every scenario table of the nationality for the game date (YYYYMM), in the order squads,
// notes, leaders, support weapons, AFVs, guns inside, guns outside, SPGs, from one reading of the
// file's bytes, and sets gSPGTableFound. The file must exist; when it does not, the program shows
// "File DORVA_Support/<nationality>.sdf is not found" and ends.
// Writes: the scenario tables, gSdfTag, gSPGTableFound.
void ReadScenarioTables(const std::string& nationality, std::int32_t gameDate);

} // namespace dorva::data
