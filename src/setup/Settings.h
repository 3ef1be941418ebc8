#pragma once
// The saved settings: the scenario options and preferences of one run, kept for the next in the
// per-user settings store (application "DORVA2", section "Params", every value as text).

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace dorva::setup {

inline constexpr const char* kSettingsApplication = "DORVA2";
inline constexpr const char* kSettingsSection = "Params";

// A store of text values by key, inside the application's "Params" section.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text; empty when the key is absent.
    virtual std::string Get(const std::string& key) = 0;
    virtual void Set(const std::string& key, const std::string& value) = 0;
};

// A store in memory that remembers the order of its writes.
class MemorySettingsStore final : public SettingsStore {
public:
    std::string Get(const std::string& key) override;
    void Set(const std::string& key, const std::string& value) override;

    std::map<std::string, std::string> values;
    std::vector<std::string> writes; // keys in the order they were written
};

// The stored text of key, or "0" when the key is missing or empty.
std::string GetParam(SettingsStore& store, const std::string& key);

// Reads every setting into its program-wide variable. Without saved settings (no "KeepLogFile", or
// an empty one) every variable takes its first-run default. Among saved settings a missing key reads
// as "0"; a damaged one (not a whole number, or outside what its list or box can show) takes its
// first-run default, so that a broken file never turns into a choice the player did not make.
// Writes: the scenario parameters, gKeepLogFile, gLogFileName, gLogEveryRoll, gSpeak, gRecognize,
// gWakeWord.
void LoadSettings(SettingsStore& store);

// Writes every setting in its stored form, in the order the program has always written them.
// Reads: the scenario parameters, gKeepLogFile, gLogFileName, gLogEveryRoll, gSpeak, gRecognize,
// gWakeWord.
void SaveSettings(SettingsStore& store);

} // namespace dorva::setup
