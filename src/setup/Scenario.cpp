#include "setup/Scenario.h"

#include "data/NationalityFile.h"
#include "setup/NationalityList.h"
#include "setup/State.h"
#include "voice/SpeechSetup.h"

#include <charconv>
#include <cstdio>

namespace dorva::setup {

std::string MakeGameDate(int yearIndex, int monthIndex) {
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%04d%02d", kFirstYear + yearIndex, monthIndex + 1);
    return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::int32_t GameDateNumber() {
    std::int32_t value = 0;
    const char* first = gGameDate.data();
    std::from_chars(first, first + gGameDate.size(), value);
    return value;
}

namespace {
template <std::size_t N> std::string EntryAt(const std::array<const char*, N>& entries, int position) {
    return position >= 0 && static_cast<std::size_t>(position) < N
               ? entries[static_cast<std::size_t>(position)]
               : "";
}
} // namespace

std::string CommitScenario(const ScenarioChoice& choice) {
    voice::RemoveAudioLevelInterest();
    gNationality = NationalityOfEntry(choice.enemyEntry);
    gEnemyIndex = choice.enemyIndex;
    gYearIndex = choice.yearIndex;
    gMonthIndex = choice.monthIndex;
    gGameDate = MakeGameDate(gYearIndex, gMonthIndex);
    gA1DRM = ModifierOfPosition(choice.a1Position);
    gA5DRM = ModifierOfPosition(choice.a5Position);
    gFortsSpecial = choice.fortsPosition;
    data::ReadScenarioTables(gNationality, GameDateNumber());
    return choice.enemyEntry + ": " + EntryAt(kMonthEntries, gMonthIndex) + ", " +
           EntryAt(kYearEntries, gYearIndex);
}

} // namespace dorva::setup
