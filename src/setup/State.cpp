#include "setup/State.h"

namespace dorva::setup {

void ResetState() {
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
    gLastHeader.reset();
}

} // namespace dorva::setup
