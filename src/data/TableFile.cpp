#include "data/TableFile.h"

#include "data/ByteCursor.h"
#include "data/State.h"
#include "data/SupportFolder.h"

namespace dorva::data {
namespace {

constexpr std::int32_t kHeaderLength = 2;

// A count that is not a number reads as 0, and so does a negative one: a table cannot have fewer
// entries than none.
int Count(ByteCursor& cursor) {
    const std::int32_t n = LeadingNumber(cursor.Take(2));
    return n > 0 ? n : 0;
}

} // namespace

std::optional<std::int32_t> LocateTableSection(std::string_view bytes, std::string_view code) {
    // Byte 31 stands only in front of a code, so the scan jumps from marker to marker.
    std::size_t marker = bytes.find(kSectionMarker, kHeaderLength);
    while (marker != std::string_view::npos) {
        // A code that does not match is passed over whole: the scan goes on after it.
        const std::size_t codeEnd = marker + 3;
        if (bytes.substr(marker + 1, 2) == code) {
            return static_cast<std::int32_t>(codeEnd + 1); // positions count from 1
        }
        if (codeEnd >= bytes.size()) {
            break;
        }
        marker = bytes.find(kSectionMarker, codeEnd);
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

std::vector<std::string> ReadTableStore(const std::string& path) {
    // One reading of the file serves every search and read of the pass; start-up has checked that
    // the file exists, and a file that cannot be read reads as no bytes.
    std::string bytes;
    ReadFileBytes(ResolveSupportPath(path), bytes);
    std::vector<std::string> missing;
    for (const char* code : kTableCodes) {
        const std::string codeText(code);
        const bool alwaysCreated = codeText == "A1" || codeText == "A5" || codeText == "HR";
        ListTable* list = ListTableOf(codeText);
        // The search is done on its own so that a missing section can be told apart from one found
        // at the end of the file; a missing one is not read at all (reading from the counter that the
        // search would give reads past the end of the file).
        const std::optional<std::int32_t> position = LocateTableSection(bytes, codeText);
        if (!position) {
            // A missing table is left absent (the three always-created lists hold only entry 0) and
            // reported to the caller, which tells the player which codes the file lacks.
            missing.push_back(codeText);
            if (list) {
                *list = alwaysCreated ? ListTable(1) : ListTable();
            } else {
                *GridTableOf(codeText) = GridTable{};
            }
        } else if (list) {
            ReadListSection(bytes, *position, *list, !alwaysCreated);
        } else {
            ReadGridSection(bytes, *position, *GridTableOf(codeText));
        }
    }
    return missing;
}

} // namespace dorva::data
