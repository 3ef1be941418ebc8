#include "setup/Settings.h"

#include "data/State.h"
#include "setup/Scenario.h"
#include "setup/State.h"
#include "voice/State.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <optional>

namespace dorva::setup {
namespace {

// The whole text as a whole decimal number (blanks around it and a sign allowed); nothing otherwise.
std::optional<long long> WholeNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t digits = i;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value < 1'000'000'000 ? value * 10 + (text[i] - '0') : value;
    }
    if (i == digits) {
        return std::nullopt;
    }
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// A stored number within [low, high], or the first-run default when the stored text is damaged.
int Setting(SettingsStore& store, const char* key, int low, int high, int firstRun) {
    const std::optional<long long> value = WholeNumber(GetParam(store, key));
    return value && *value >= low && *value <= high ? static_cast<int>(*value) : firstRun;
}

} // namespace

std::string MemorySettingsStore::Get(const std::string& key) {
    const auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
}

void MemorySettingsStore::Set(const std::string& key, const std::string& value) {
    values[key] = value;
    writes.push_back(key);
}

std::string GetParam(SettingsStore& store, const std::string& key) {
    std::string value = store.Get(key);
    if (value.empty()) {
        return "0";
    }
    return value;
}

void LoadSettings(SettingsStore& store) {
    if (store.Get("KeepLogFile").empty()) {
        ResetState(); // the first-run defaults are the parameters' start values
        voice::gRecognize = 0;
        voice::gSpeak = 0;
        voice::gWakeWord = false;
        voice::gStopWhenTalkedOver = true;
        voice::gPlayerPronunciations.clear();
        data::gKeepLogFile = 0;
        data::gLogFileName = "DORVALog.txt";
        data::gLogEveryRoll = 1;
        return;
    }
    // The enemy position is checked against the nationality list when the set-up screen fills it.
    gEnemyIndex = Setting(store, "Enemy", 0, INT_MAX, 0);
    gYearIndex = Setting(store, "Year", 0, static_cast<int>(kYearEntries.size()) - 1, 1);
    gMonthIndex = Setting(store, "Month", 0, static_cast<int>(kMonthEntries.size()) - 1, 8);
    gACNumber = ACNumberOfPosition(
        Setting(store, "ACNumber", 0, static_cast<int>(kACEntries.size()) - 1, PositionOfACNumber(3)));
    gAttitude = Setting(store, "Attitude", 0, 1, 0);
    const int lastModifierPosition = static_cast<int>(kA1Entries.size()) - 1;
    gA1DRM = ModifierOfPosition(Setting(store, "A1DRM", 0, lastModifierPosition, PositionOfModifier(0)));
    gA5DRM = ModifierOfPosition(Setting(store, "A5DRM", 0, lastModifierPosition, PositionOfModifier(0)));
    gFortsSpecial = Setting(store, "FortsSpecial", 0, 1, 0);
    gHexGrain = Setting(store, "HexGrain", 0, 1, 0);
    voice::gRecognize = static_cast<std::int16_t>(Setting(store, "Recognize", 0, 1, 0));
    voice::gSpeak = Setting(store, "Speak", 0, 1, 0);
    gSeeRolls = static_cast<std::int16_t>(Setting(store, "SeeRolls", 0, 1, 1));
    data::gKeepLogFile = static_cast<std::int16_t>(Setting(store, "KeepLogFile", 0, 1, 0));
    // Read back as it was stored; like every key it reads "0" when it went missing.
    data::gLogFileName = GetParam(store, "FileLogName");
    voice::gWakeWord = Setting(store, "WakeWord", 0, 1, 0) == 1;
    // What is damaged in it is left out when the recogniser is told; the rest still helps.
    voice::gPlayerPronunciations = store.Get("PlayerPronunciations");
    // On unless switched off: settings from before the option had the voice stop, as it does now.
    voice::gStopWhenTalkedOver =
        store.Get("StopWhenTalkedOver").empty() || Setting(store, "StopWhenTalkedOver", 0, 1, 1) == 1;
    // Settings saved before the option existed have no key: those players get the fuller log too, as
    // a new player does; it is one click away on the set-up screen.
    data::gLogEveryRoll = static_cast<std::int16_t>(
        store.Get("LogEveryRoll").empty() ? 1 : Setting(store, "LogEveryRoll", 0, 1, 1));
}

void SaveSettings(SettingsStore& store) {
    const auto number = [&store](const char* key, int value) {
        store.Set(key, std::to_string(value));
    };
    number("KeepLogFile", data::gKeepLogFile);
    number("Speak", voice::gSpeak);
    number("Recognize", voice::gRecognize);
    store.Set("FileName", gNationality);
    number("Enemy", gEnemyIndex);
    number("Year", gYearIndex);
    number("Month", gMonthIndex);
    store.Set("GameDate", gGameDate);
    number("A1DRM", PositionOfModifier(gA1DRM));
    number("A5DRM", PositionOfModifier(gA5DRM));
    number("FortsSpecial", gFortsSpecial);
    number("SeeRolls", gSeeRolls);
    number("ACNumber", PositionOfACNumber(gACNumber));
    number("Attitude", gAttitude);
    number("HexGrain", gHexGrain);
    store.Set("FileLogName", data::gLogFileName);
    number("LogEveryRoll", data::gLogEveryRoll);
    number("WakeWord", voice::gWakeWord ? 1 : 0);
    number("StopWhenTalkedOver", voice::gStopWhenTalkedOver ? 1 : 0);
    store.Set("PlayerPronunciations", voice::gPlayerPronunciations);
}

} // namespace dorva::setup
