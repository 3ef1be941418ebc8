#include "data/Dice.h"

#include "data/DiceRecord.h"
#include "data/State.h"
#include "platform/Seams.h"

namespace dorva::data {

std::int16_t RollDice(int count, int sides, std::int16_t record) {
    const auto dice = static_cast<std::int16_t>(count);
    int total = 0;
    for (int i = 0; i < dice; ++i) {
        total += platform::Dice().Die(sides);
    }
    if (record == kRecord && sides == 6) {
        // A scripted die outside 1 to 6 must not reach past the counters.
        if (dice == 1 && total >= 1 && total <= 6) {
            ++gDRStats[static_cast<std::size_t>(total)];
            SaveDiceRecord();
        } else if (dice == 2 && total >= 2 && total <= 12) {
            ++gDRStats[static_cast<std::size_t>(total + 5)];
            SaveDiceRecord();
        }
    }
    return static_cast<std::int16_t>(total);
}

} // namespace dorva::data
