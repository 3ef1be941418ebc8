#include "data/Tables.h"

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

int UpperBound(const ListTable& table) {
    return static_cast<int>(table.size()) - 1;
}

} // namespace dorva::data
