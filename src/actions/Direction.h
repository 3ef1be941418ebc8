#pragma once
// The movement direction: a one-die roll and the picture that shows it, chosen by the enemy's
// attitude and the map's hex grain. Shared by the actions and close-combat screens.

#include <string>

namespace dorva::actions {

// Picture numbers are the numbers of the direction pictures among the program's resources; 0 means
// no picture.
inline constexpr int kNoPicture = 0;

// The picture a screen shows before any roll.
int BasePicture(int attitude, int hexGrain);
// The picture for a direction dr (1 to 6).
// An attitude or a hex grain outside 0 and 1 (only a damaged saved setting gives one) has no picture:
// the screens then show none and still say which direction was rolled.
int DirectionPicture(int attitude, int hexGrain, int dr);

struct DirectionRoll {
    int dr = 0;
    std::string caption; // "Dir = 4"
    int picture = kNoPicture;
};
// Reads: gAttitude, gHexGrain. Writes: gDRStats.
DirectionRoll RollDirection();

// Reads: gAttitude, gHexGrain.
int CurrentBasePicture();

// What a picture shows, in words, for a player who cannot see it.
std::string PictureDescription(int picture);

} // namespace dorva::actions
