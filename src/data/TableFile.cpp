#include "data/TableFile.h"

#include "data/ByteCursor.h"
#include "data/SupportFolder.h"

namespace dorva::data {
namespace {

constexpr std::int32_t kHeaderLength = 2;

// Every call opens, reads and closes the file: nothing stays open between the loader's steps. A file
// that cannot be read reads as no bytes (start-up has checked that the table file exists).
std::string FileBytes(const std::string& path) {
    std::string bytes;
    ReadFileBytes(ResolveSupportPath(path), bytes);
    return bytes;
}

// A count that is not a number reads as 0, and so does a negative one: a table cannot have fewer
// entries than none.
int Count(ByteCursor& cursor) {
    const std::int32_t n = LeadingNumber(cursor.Take(2));
    return n > 0 ? n : 0;
}

} // namespace

std::optional<std::int32_t> LocateTableSection(std::string_view bytes, std::string_view code) {
    ByteCursor cursor(bytes, kHeaderLength + 1);
    while (!cursor.AtEnd()) {
        if (cursor.Byte() != kSectionMarker) {
            continue;
        }
        // A code that does not match is passed over whole: the scan goes on after it.
        if (cursor.Take(2) == code) {
            return cursor.Position();
        }
    }
    return std::nullopt;
}

std::int32_t FindTableSection(std::string_view bytes, std::string_view code) {
    if (const auto position = LocateTableSection(bytes, code)) {
        return *position;
    }
    const auto length = static_cast<std::int32_t>(bytes.size());
    return length > kHeaderLength ? length - kHeaderLength : 0;
}

void ReadListSection(std::string_view bytes, std::int32_t position, ListTable& table, bool absentWhenEmpty) {
    ByteCursor cursor(bytes, position);
    const int n = Count(cursor);
    table.clear();
    if (n == 0 && absentWhenEmpty) {
        return;
    }
    // The table takes the shape its count gives even when the file ends first; the entries that the
    // file does not hold stay empty.
    table.assign(static_cast<std::size_t>(n) + 1, std::string());
    for (int k = 1; k <= n && !cursor.AtEnd(); ++k) {
        table[static_cast<std::size_t>(k)] = cursor.Field();
    }
}

void ReadGridSection(std::string_view bytes, std::int32_t position, GridTable& table) {
    ByteCursor cursor(bytes, position);
    const int rows = Count(cursor);
    const int columns = Count(cursor);
    table.Create(rows, columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (cursor.AtEnd()) {
                return;
            }
            table.CellRef(r, c) = cursor.Field();
        }
    }
}

std::int32_t FindTableSection(const std::string& path, const std::string& code) {
    return FindTableSection(std::string_view(FileBytes(path)), std::string_view(code));
}

void ReadA1Table(const std::string& path, std::int32_t position) {
    ReadListSection(FileBytes(path), position, gTableA1, false);
}

void ReadA5Table(const std::string& path, std::int32_t position) {
    ReadListSection(FileBytes(path), position, gTableA5, false);
}

void ReadHRTable(const std::string& path, std::int32_t position) {
    ReadListSection(FileBytes(path), position, gTableHR, false);
}

void ReadListTable(const std::string& path, std::int32_t position, ListTable& table) {
    ReadListSection(FileBytes(path), position, table, true);
}

void ReadGridTable(const std::string& path, std::int32_t position, GridTable& table) {
    ReadGridSection(FileBytes(path), position, table);
}

std::vector<std::string> ReadTableStore(const std::string& path) {
    std::vector<std::string> missing;
    for (const char* code : kTableCodes) {
        const std::string codeText(code);
        // The search is done on its own so that a missing section can be told apart from one found
        // at the end of the file; a missing one is not read at all (reading from the counter that the
        // search would give reads past the end of the file).
        const std::optional<std::int32_t> position = LocateTableSection(FileBytes(path), codeText);
        const bool alwaysCreated = codeText == "A1" || codeText == "A5" || codeText == "HR";
        if (!position) {
            // A missing table is left absent (the three always-created lists hold only entry 0) and
            // reported to the caller, which tells the player which codes the file lacks.
            missing.push_back(codeText);
            if (alwaysCreated) {
                *ListTableOf(codeText) = ListTable(1);
            } else if (ListTable* list = ListTableOf(codeText)) {
                list->clear();
            } else {
                *GridTableOf(codeText) = GridTable{};
            }
            continue;
        }
        if (codeText == "A1") {
            ReadA1Table(path, *position);
        } else if (codeText == "A5") {
            ReadA5Table(path, *position);
        } else if (codeText == "HR") {
            ReadHRTable(path, *position);
        } else if (ListTable* list = ListTableOf(codeText)) {
            ReadListTable(path, *position, *list);
        } else {
            ReadGridTable(path, *position, *GridTableOf(codeText));
        }
    }
    return missing;
}

} // namespace dorva::data
