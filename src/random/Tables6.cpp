#include "random/Tables6.h"

#include "data/Announce.h"
#include "data/Dice.h"
#include "voice/Speak.h"

namespace dorva::random {

const std::array<Table6, 8>& Tables6() {
    // Table 6b gives 3 for a dr of 3: the rule's bands read "up to 3 gives 3", and its button's
    // picture (resources/tables/6b.svg) shows the same band.
    // clang-format off
    static const std::array<Table6, 8> tables = {{
        {"Table 6a", "On Table 6A ", {"4", "3", "3", "2", "2", "2"}},
        {"Table 6b", "On Table 6B ", {"3", "3", "3", "2", "2", "1"}},
        {"Table 6c", "On Table 6C ", {"3", "3", "2", "2", "1", "1"}},
        {"Table 6d", "On Table 6D ", {"3", "2", "2", "1", "1", "1"}},
        {"Table 6e", "On Table 6E ", {"2", "2", "2", "1", "1", "1"}},
        {"Table 6f", "On Table 6F ", {"3", "2", "2", "2", "2", "1"}},
        {"Table 6g", "On Table 6G ", {"2", "2", "1", "1", "1", "1"}},
        {"Table 6h", "On Table 6H ", {"0", "0", "1", "1", "1", "2"}},
    }};
    // clang-format on
    return tables;
}

TableRollResult DoTableRoll(const DieArray& dieArray, const std::string& extraText) {
    TableRollResult roll;
    roll.dr = data::RollDice(1, 6, data::kRecord);
    roll.result = dieArray[static_cast<std::size_t>(roll.dr - 1)];
    const std::string sentence = extraText + "you got a result of " + roll.result;
    data::ShowInActivationWindow(sentence);
    voice::SpeakText(sentence, voice::kSpeakAsync);
    return roll;
}

} // namespace dorva::random
