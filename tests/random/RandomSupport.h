#pragma once
// The hex-row list as the program is supplied with it: "A" to "Z" at positions 1 to 26, then "AA" to
// "ZZ" at 27 to 52.

#include "data/Tables.h"

#include <string>

namespace dorva::test {

inline data::ListTable HexRows() {
    data::ListTable rows(1);
    for (int doubled = 1; doubled <= 2; ++doubled) {
        for (char c = 'A'; c <= 'Z'; ++c) {
            rows.push_back(std::string(static_cast<std::size_t>(doubled), c));
        }
    }
    return rows;
}

} // namespace dorva::test
