#include "setup/Settings.h"

#include "data/Announce.h"
#include "setup/Params.h"
#include "voice/SpeechState.h"

#include <cctype>
#include <climits>
#include <cstdint>

namespace dorva::setup {
namespace {

std::int16_t ToInt16(int value) {
    if (value > INT16_MAX) {
        return INT16_MAX;
    }
    if (value < INT16_MIN) {
        return INT16_MIN;
    }
    return static_cast<std::int16_t>(value);
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

int LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

void LoadSettings(SettingsStore& store) {
    if (store.Get("KeepLogFile").empty()) {
        gEnemyIndex = 0;
        gYearIndex = 1;  // 1939
        gMonthIndex = 8; // September
        gACNumber = 3;
        gAttitude = 0;
        gA1DRM = 2; // the list position of "No A1 Modifier"
        gA5DRM = 2;
        gFortsSpecial = 0;
        gHexGrain = 0;
        voice::gRecognize = 0;
        data::gSpeak = 0;
        gSeeRolls = 1;
        data::gKeepLogFile = 0;
        data::gLogFileName = "DORVALog.txt";
        return;
    }
    const auto number = [&store](const char* key) {
        return LeadingNumber(GetParam(store, key));
    };
    gEnemyIndex = number("Enemy");
    gYearIndex = number("Year");
    gMonthIndex = number("Month");
    gACNumber = number("ACNumber") + 2;
    gAttitude = number("Attitude");
    gA1DRM = number("A1DRM");
    gA5DRM = number("A5DRM");
    gFortsSpecial = number("FortsSpecial");
    gHexGrain = number("HexGrain");
    voice::gRecognize = ToInt16(number("Recognize"));
    data::gSpeak = number("Speak");
    gSeeRolls = ToInt16(number("SeeRolls"));
    data::gKeepLogFile = ToInt16(number("KeepLogFile"));
    // Read back as it was stored; like every key it reads "0" when it went missing.
    data::gLogFileName = GetParam(store, "FileLogName");
}

void SaveSettings(SettingsStore& store) {
    const auto number = [&store](const char* key, int value) {
        store.Set(key, std::to_string(value));
    };
    number("KeepLogFile", data::gKeepLogFile);
    number("Speak", data::gSpeak);
    number("Recognize", voice::gRecognize);
    store.Set("FileName", gNationality);
    number("Enemy", gEnemyIndex);
    number("Year", gYearIndex);
    number("Month", gMonthIndex);
    store.Set("GameDate", gGameDate);
    number("A1DRM", gA1DRM + 2);
    number("A5DRM", gA5DRM + 2);
    number("FortsSpecial", gFortsSpecial);
    number("SeeRolls", gSeeRolls);
    number("ACNumber", gACNumber - 2);
    number("Attitude", gAttitude);
    number("HexGrain", gHexGrain);
    store.Set("FileLogName", data::gLogFileName);
}

} // namespace dorva::setup
