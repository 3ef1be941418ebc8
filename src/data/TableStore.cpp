#include "data/TableStore.h"

#include <algorithm>

namespace dorva::data {
namespace {
const std::string kEmpty;
} // namespace

void GridTable::Create(int r, int c) {
    rows = std::max(r, 0);
    columns = std::max(c, 0);
    cells.assign(static_cast<std::size_t>(rows + 1) * static_cast<std::size_t>(columns + 1), std::string());
}

bool GridTable::Contains(int row, int column) const {
    return !cells.empty() && row >= 0 && column >= 0 && row <= rows && column <= columns;
}

const std::string& GridTable::Cell(int row, int column) const {
    if (!Contains(row, column)) {
        return kEmpty;
    }
    return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns + 1) +
                 static_cast<std::size_t>(column)];
}

std::string& GridTable::CellRef(int row, int column) {
    return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns + 1) +
                 static_cast<std::size_t>(column)];
}

const std::string& Entry(const ListTable& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) {
        return kEmpty;
    }
    return table[static_cast<std::size_t>(index)];
}

int UpperBound(const ListTable& table) { return static_cast<int>(table.size()) - 1; }

ListTable* ListTableOf(const std::string& code) {
    static const std::pair<const char*, ListTable*> tables[] = {
        {"A1", &gTableA1}, {"A5", &gTableA5}, {"HR", &gTableHR}, {"4A", &gTable4A}, {"4B", &gTable4B},
        {"4C", &gTable4C}, {"3A", &gTable3A}, {"3B", &gTable3B}, {"3C", &gTable3C}, {"3D", &gTable3D},
        {"3E", &gTable3E}, {"CC", &gTableCC}, {"Ad", &gTableAd}, {"Hd", &gTableHd}};
    for (const auto& [c, table] : tables) {
        if (code == c) {
            return table;
        }
    }
    return nullptr;
}

GridTable* GridTableOf(const std::string& code) {
    if (code == "IF") {
        return &gTableIF;
    }
    if (code == "9E") {
        return &gTable9E;
    }
    return nullptr;
}

void ResetTableStore() {
    for (const char* code : kTableCodes) {
        if (ListTable* list = ListTableOf(code)) {
            list->clear();
        } else if (GridTable* grid = GridTableOf(code)) {
            *grid = GridTable{};
        }
    }
    gModifierTable.fill(0);
}

} // namespace dorva::data
