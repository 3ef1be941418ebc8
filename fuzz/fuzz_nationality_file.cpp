// Fuzz target of the nationality-file reader: any bytes are searched and read for several game dates
// without a crash, a hang or a read outside the file, and the tables keep the shapes their counts
// promise.
#include "data/NationalityFile.h"

#include "FuzzCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void ReadAt(std::string_view bytes, std::int32_t position) {
    using namespace dorva::data;
    ListTable list{"stale"};
    ReadNationalityTable(bytes, position, list);
    if (position == -1) {
        Check(list.size() == 2 && list[0] == kTableNotFound && list[1].empty());
    } else {
        // A count is 3 characters: at most 999 entries and entry 0.
        Check(!list.empty() && list.size() <= 1000 && list.front().empty());
    }
    SquadTable squads;
    std::vector<SquadModifierPeriod> periods;
    ReadSquadSection(bytes, position, squads, periods);
    Check(!squads.empty() && squads.size() <= 1000);
    Check(!periods.empty() && periods.size() <= 10);
    Check(periods[0].FromDate == 0 && periods[0].ToDate == 0 && periods[0].Modifier == 0);
    if (position < 1) {
        Check(squads.size() == 16);
    } else {
        for (const std::string& cell : squads[0]) {
            Check(cell.empty());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dorva::data;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto length = static_cast<std::int32_t>(size);
    std::set<std::int32_t> positions = EdgePositions(length);
    const char* codes[] = {"01", "02", "03", "04", "06", "5I", "5O", "6A"};
    for (const std::int32_t date : {193801, 194206, 194312, 194612, 194701}) {
        for (const char* code : codes) {
            std::string tag;
            const std::int32_t position = FindNationalitySection(bytes, code, date, tag);
            Check(tag == bytes.substr(std::min<std::size_t>(2, size), 2));
            // -1, or the byte after a date of 6 characters that follows a marker.
            Check(position == -1 || (position >= 14 && position <= length + 1));
            positions.insert(position);
        }
    }
    for (const std::int32_t position : positions) {
        ReadAt(bytes, position);
    }
    return 0;
}
