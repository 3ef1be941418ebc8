#include "setup/Params.h"

#include <charconv>
#include <cstdio>

namespace dorva::setup {

std::int32_t GameDateNumber() {
    std::int32_t value = 0;
    const char* first = gGameDate.data();
    std::from_chars(first, first + gGameDate.size(), value);
    return value;
}

std::string MakeGameDate(int yearIndex, int monthIndex) {
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%04d%02d", kFirstYear + yearIndex, monthIndex + 1);
    return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}

void ResetParams() {
    gNationality.clear();
    gEnemyIndex = 0;
    gYearIndex = 1;
    gMonthIndex = 8;
    gGameDate.clear();
    gACNumber = 3;
    gAttitude = 0;
    gA1DRM = 0;
    gA5DRM = 0;
    gFortsSpecial = 0;
    gHexGrain = 0;
    gSeeRolls = 1;
}

} // namespace dorva::setup
