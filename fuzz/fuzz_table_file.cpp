// Fuzz target of the table-file reader: any bytes are searched and read without a crash, a hang or
// a read outside the file, and the tables keep the shapes their counts promise.
#include "data/TableFile.h"

#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void ReadAt(std::string_view bytes, std::int32_t position) {
    using namespace dorva::data;
    for (const bool absentWhenEmpty : {false, true}) {
        ListTable list{"stale"};
        ReadListSection(bytes, position, list, absentWhenEmpty);
        // A count is 2 characters: at most 99 entries and entry 0.
        Check(list.size() <= 100);
        Check(list.empty() ? absentWhenEmpty : list.front().empty());
    }
    GridTable grid;
    ReadGridSection(bytes, position, grid);
    Check(grid.rows >= 0 && grid.rows <= 99 && grid.columns >= 0 && grid.columns <= 99);
    Check(grid.cells.size() ==
          static_cast<std::size_t>(grid.rows + 1) * static_cast<std::size_t>(grid.columns + 1));
    for (int c = 0; c <= grid.columns; ++c) {
        Check(grid.Cell(grid.rows, c).empty());
    }
    for (int r = 0; r <= grid.rows; ++r) {
        Check(grid.Cell(r, grid.columns).empty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dorva::data;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto length = static_cast<std::int32_t>(size);
    std::set<std::int32_t> positions = EdgePositions(length);
    for (const char* code : kTableCodes) {
        const std::optional<std::int32_t> position = LocateTableSection(bytes, code);
        const std::int32_t found = FindTableSection(bytes, code);
        if (position) {
            // The byte after a marker and a code that follow the header.
            Check(*position >= 6 && *position <= length + 1);
            Check(bytes[static_cast<std::size_t>(*position - 4)] == 31);
            Check(bytes.substr(static_cast<std::size_t>(*position - 3), 2) == code);
            Check(found == *position);
            positions.insert(*position);
        } else {
            Check(found == (length > 2 ? length - 2 : 0));
        }
    }
    for (const std::int32_t position : positions) {
        ReadAt(bytes, position);
    }
    return 0;
}
