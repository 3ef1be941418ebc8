#pragma once
// Tables 6a to 6h: eight small tables of the solitaire rules that map a dr to a result. They are
// fixed in the program, not read from the table file.

#include <array>
#include <string>

namespace dorva::random {

// The results for dr 1 (position 0) to dr 6 (position 5).
using DieArray = std::array<std::string, 6>;

struct Table6 {
    std::string name;      // shown on the screen: "Table 6a"
    std::string extraText; // the start of the sentence: "On Table 6A "
    DieArray results;
};

// Tables 6a to 6h in order.
const std::array<Table6, 8>& Tables6();

struct TableRollResult {
    int dr = 0;
    std::string result;
};

// Rolls a dr on a table, puts the sentence ("On Table 6A you got a result of 3") into the VASL
// activation window and speaks it; returns the dr and its result for the screen.
// Reads: gSpeak, gVoiceAvailable. Writes: gDRStats, gLastSpokenText.
TableRollResult DoTableRoll(const DieArray& dieArray, const std::string& extraText = std::string());

} // namespace dorva::random
