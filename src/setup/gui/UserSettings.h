#pragma once
// The per-user settings store: DORVA2.ini in the user's configuration folder, section "Params".

#include "setup/Settings.h"

#include <memory>

class QSettings;

namespace dorva::setup {

class UserSettingsStore final : public SettingsStore {
public:
    UserSettingsStore();
    ~UserSettingsStore() override; // writes what was set
    UserSettingsStore(const UserSettingsStore&) = delete;
    UserSettingsStore& operator=(const UserSettingsStore&) = delete;

    std::string Get(const std::string& key) override;
    void Set(const std::string& key, const std::string& value) override;

private:
    std::unique_ptr<QSettings> settings_;
};

// Writes every setting to the per-user store, and the places of the windows beside them (File > Exit
// does this before the program ends).
void SaveUserSettings();

// Reads where the player left each window when the settings were last saved.
void LoadWindowPlaces();

} // namespace dorva::setup
