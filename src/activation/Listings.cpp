#include "activation/Listings.h"

#include "data/State.h"

namespace dorva::activation {

std::string PadLeft(const std::string& value, std::size_t width) {
    if (value.size() >= width) {
        return value;
    }
    return std::string(width - value.size(), ' ') + value;
}

namespace {

// A column that follows another: a value as wide as its column, or wider, keeps a blank before it, so
// that it never runs onto the column before ("0Panzergrenadier 5-5-8").
std::string NextColumn(const std::string& value, std::size_t width) {
    return value.size() >= width ? " " + value : PadLeft(value, width);
}

} // namespace

std::string ShowInfantry() {
    std::string text = "\r";
    for (std::size_t i = 1; i < data::gSquadTable.size(); ++i) {
        const data::SquadRow& row = data::gSquadTable[i];
        text += PadLeft(std::to_string(i - 1), 4) + NextColumn(row[1], 7) + " " + PadLeft(row[2], 7) + " " +
                PadLeft(row[4], 2);
        if (row[3] == "1") {
            text += " S12.22";
        }
        text += '\r';
    }
    return text;
}

std::string ShowLeaders() {
    std::string text = "\r";
    const int last = data::UpperBound(data::gLeaderTable);
    for (int i = 1; i <= last; ++i) {
        text += PadLeft(std::to_string(i - 1), 4) + "  " + data::Entry(data::gLeaderTable, i) + "\r";
    }
    return text;
}

std::string ShowAFV(const data::ListTable& whichTable, const std::string& theCaption) {
    const int last = data::UpperBound(whichTable);
    if (last <= 1) {
        return theCaption + " info not available";
    }
    std::string text = "\r";
    for (int i = 1; i <= last; ++i) {
        text += PadLeft(std::to_string(i + 1), 4) + "  " + data::Entry(whichTable, i) + "\r";
    }
    return text;
}

} // namespace dorva::activation
