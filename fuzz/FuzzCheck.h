#pragma once
// What the readers' fuzz targets share: a check that stops the fuzzer where a promise breaks, and the
// positions no search gives but a reader must survive.

#include <cstdint>
#include <set>

inline void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// Before, inside and past a file of length bytes.
inline std::set<std::int32_t> EdgePositions(std::int32_t length) {
    return {-1, 0, 1, length / 2, length, length + 1, length + 100};
}
