#include "data/NationalityFile.h"

#include "data/ByteCursor.h"
#include "data/Messages.h"
#include "data/State.h"
#include "data/SupportFolder.h"

namespace dorva::data {
namespace {

constexpr std::int32_t kTagPosition = 3;
constexpr std::size_t kDateLength = 6;
constexpr int kBuiltInSquadRows = 15;

// Counts are never negative: a table cannot have fewer entries than none.
int Count(ByteCursor& cursor, std::size_t width) {
    const std::int32_t n = LeadingNumber(cursor.Take(width));
    return n > 0 ? n : 0;
}

// The file of the nationality must exist; without it the program cannot go on.
std::string OpenNationalityFile(const std::string& nationality) {
    const std::string path = NationalityPath(nationality);
    std::string bytes;
    if (!SupportFileExists(path) || !ReadFileBytes(ResolveSupportPath(path), bytes)) {
        ShowMessage("File " + path + " is not found", true);
    }
    return bytes;
}

void MakeNotFound(ListTable& table) {
    table = {kTableNotFound, std::string()};
}

} // namespace

std::int32_t FindNationalitySection(std::string_view bytes, std::string_view code, std::int32_t gameDate,
                                    std::string& tag) {
    ByteCursor cursor(bytes, kTagPosition);
    tag.assign(cursor.Take(2));
    while (cursor.SkipPast(kSectionMarker)) {
        if (cursor.Take(2) != code) {
            continue;
        }
        if (LeadingNumber(cursor.Take(kDateLength)) >= gameDate) {
            return cursor.Position();
        }
        // The variant scan stops at the next section marker, so a section with no variant dated late enough
        // counts as not found instead of running on into the variants of the sections that follow it. The
        // first section of a code is the only one ever read.
        while (!cursor.AtEnd()) {
            const int byte = cursor.Byte();
            if (byte == kSectionMarker) {
                return -1;
            }
            if (byte == kVariantMarker && LeadingNumber(cursor.Take(kDateLength)) >= gameDate) {
                return cursor.Position();
            }
        }
        return -1;
    }
    return -1;
}

void ReadSquadSection(std::string_view bytes, std::int32_t position, SquadTable& squads,
                      std::vector<SquadModifierPeriod>& periods) {
    periods.assign(1, SquadModifierPeriod{});
    if (position < 1) {
        // The built-in table puts "(Squad)" in column 1, the column that the unit code "S" reads and the
        // special-force message names, and "(Half squad)" in column 2, the column of "H", so that a
        // nationality without a squad table shows its units by kind.
        SquadRow row{std::string(), "(Squad)", "(Half squad)", "0", "1"};
        squads.assign(kBuiltInSquadRows + 1, row);
        return;
    }
    ByteCursor cursor(bytes, position);
    const int n = Count(cursor, 3);
    squads.assign(static_cast<std::size_t>(n) + 1, SquadRow{});
    for (int i = 1; i <= n && !cursor.AtEnd(); ++i) {
        SquadRow& row = squads[static_cast<std::size_t>(i)];
        row[4] = cursor.Take(1);
        row[3] = cursor.Take(1);
        row[1] = cursor.Field();
        row[2] = cursor.Field();
    }
    const int m = Count(cursor, 1);
    periods.assign(static_cast<std::size_t>(m) + 1, SquadModifierPeriod{});
    for (int j = 1; j <= m && !cursor.AtEnd(); ++j) {
        SquadModifierPeriod& period = periods[static_cast<std::size_t>(j)];
        period.FromDate = LeadingNumber(cursor.Take(kDateLength));
        period.ToDate = LeadingNumber(cursor.Take(kDateLength));
        period.Modifier = static_cast<std::int16_t>(LeadingNumber(cursor.Take(2)));
    }
}

void ReadNationalityTable(std::string_view bytes, std::int32_t position, ListTable& table) {
    if (position == -1) {
        MakeNotFound(table);
        return;
    }
    ByteCursor cursor(bytes, position);
    const int n = Count(cursor, 3);
    // The list keeps the shape its count gives even when the file ends first.
    table.assign(static_cast<std::size_t>(n) + 1, std::string());
    for (int k = 1; k <= n && !cursor.AtEnd(); ++k) {
        table[static_cast<std::size_t>(k)] = cursor.Field();
    }
}

std::string NationalityPath(const std::string& nationality) {
    return SupportPath(nationality + ".sdf");
}

void ReadScenarioTables(const std::string& nationality, std::int32_t gameDate) {
    const std::string bytes = OpenNationalityFile(nationality);
    ReadSquadSection(bytes, FindNationalitySection(bytes, "02", gameDate, gSdfTag), gSquadTable,
                     gSquadModifierPeriods);
    const std::pair<const char*, ListTable*> lists[] = {
        {"01", &gScenarioNotes},   {"03", &gLeaderTable},      {"04", &gSWTable}, {"06", &gAFVTable},
        {"5I", &gGunsInsideTable}, {"5O", &gGunsOutsideTable}, {"6A", &gSPGTable}};
    for (const auto& [code, table] : lists) {
        ReadNationalityTable(bytes, FindNationalitySection(bytes, code, gameDate, gSdfTag), *table);
    }
    gSPGTableFound = Entry(gSPGTable, 0) != kTableNotFound;
}

} // namespace dorva::data
