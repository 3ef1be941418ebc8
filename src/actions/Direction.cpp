#include "actions/Direction.h"

#include "actions/Results.h"
#include "setup/State.h"

#include <array>

namespace dorva::actions {
namespace {

constexpr int kHold = 0, kAdvance = 1;

bool Known(int attitude, int hexGrain) {
    return (attitude == kHold || attitude == kAdvance) && (hexGrain == 0 || hexGrain == 1);
}

// [attitude][hex grain]
constexpr std::array<std::array<int, 2>, 2> kBase = {{{300, 400}, {100, 200}}};

// [attitude][hex grain][dr - 1]. Under Hold the six neighbours are numbered the same for either grain.
constexpr std::array<std::array<std::array<int, 6>, 2>, 2> kByDr = {{
    {{{301, 302, 303, 304, 305, 306}, {301, 302, 303, 304, 305, 306}}},
    {{{101, 102, 102, 102, 102, 103}, {201, 201, 201, 202, 202, 202}}},
}};

} // namespace

int BasePicture(int attitude, int hexGrain) {
    if (!Known(attitude, hexGrain)) {
        return kNoPicture;
    }
    return kBase[static_cast<std::size_t>(attitude)][static_cast<std::size_t>(hexGrain)];
}

int DirectionPicture(int attitude, int hexGrain, int dr) {
    if (!Known(attitude, hexGrain) || dr < 1 || dr > 6) {
        return kNoPicture;
    }
    return kByDr[static_cast<std::size_t>(attitude)][static_cast<std::size_t>(hexGrain)]
                [static_cast<std::size_t>(dr - 1)];
}

DirectionRoll RollDirection() {
    DirectionRoll roll;
    roll.dr = RollOneDie();
    roll.caption = "Dir = " + std::to_string(roll.dr);
    roll.picture = DirectionPicture(setup::gAttitude, setup::gHexGrain, roll.dr);
    return roll;
}

int CurrentBasePicture() {
    return BasePicture(setup::gAttitude, setup::gHexGrain);
}

std::string PictureDescription(int picture) {
    switch (picture) {
    case 100:
        return "No direction rolled yet. The unit's hex and the three hexes in front of it: 1 front left, "
               "2 to 5 straight ahead, 6 front right";
    case 101:
        return "Direction front left (dr 1)";
    case 102:
        return "Direction straight ahead (dr 2 to 5)";
    case 103:
        return "Direction front right (dr 6)";
    case 200:
        return "No direction rolled yet. The unit's hex and the two hexes in front of it: 1 to 3 front left, "
               "4 to 6 front right";
    case 201:
        return "Direction front left (dr 3 or less)";
    case 202:
        return "Direction front right (dr 4 or more)";
    case 300:
        return "No direction rolled yet. The unit's hex and its six neighbours, one straight above";
    case 301:
        return "Direction 1: straight up";
    case 302:
        return "Direction 2: upper right";
    case 303:
        return "Direction 3: lower right";
    case 304:
        return "Direction 4: straight down";
    case 305:
        return "Direction 5: lower left";
    case 306:
        return "Direction 6: upper left";
    case 400:
        return "No direction rolled yet. The unit's hex and its six neighbours, one straight left and one "
               "straight right";
    default:
        return "No direction picture for this attitude and hex grain";
    }
}

} // namespace dorva::actions
