#include "setup/GameRecord.h"

#include "data/DiceRecord.h"
#include "data/GameLog.h"
#include "data/State.h"
#include "data/Text.h"
#include "setup/Scenario.h"
#include "setup/State.h"

namespace dorva::setup {
namespace {

template <std::size_t N> std::string Entry(const std::array<const char*, N>& entries, int position) {
    return position >= 0 && static_cast<std::size_t>(position) < N
               ? entries[static_cast<std::size_t>(position)]
               : std::to_string(position);
}

} // namespace

std::string GameHeader(const std::string& title) {
    // The title names the nationality as the file system does; the log's entries are table text.
    return "=== " +
           data::JoinShown({data::Utf8ToLatin1(title), Entry(kACEntries, PositionOfACNumber(gACNumber)),
                            Entry(kAttitudeEntries, gAttitude), Entry(kA1Entries, PositionOfModifier(gA1DRM)),
                            Entry(kA5Entries, PositionOfModifier(gA5DRM)),
                            Entry(kFortsEntries, gFortsSpecial),
                            gHexGrain == 0 ? "Long grain" : "Short grain",
                            gSeeRolls != 0 ? "See roll outcomes" : "Roll outcomes not shown"},
                           " | ") +
           " ===";
}

void RecordGameStart(const std::string& title) {
    data::BeginGame(gNationality + " " + gGameDate);
    if (data::gKeepLogFile != 1) {
        return;
    }
    const std::string header = GameHeader(title);
    // Pressing OK again without a change adds nothing; the same game in another log file gets its
    // header there too.
    const std::string key = data::gLogFileName + "\n" + header;
    if (gLastHeader == key) {
        return;
    }
    if (data::AppendLogEntry(header)) {
        gLastHeader = key;
    }
}

void NewGame() {
    data::StartNewDiceRecord();
    gLastHeader.reset();
}

} // namespace dorva::setup
