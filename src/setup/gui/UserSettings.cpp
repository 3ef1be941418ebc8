#include "setup/gui/UserSettings.h"

#include "ui/Text.h"

#include <QSettings>

namespace dorva::setup {

UserSettingsStore::UserSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QString::fromLatin1(kSettingsApplication))) {
    settings_->beginGroup(QString::fromLatin1(kSettingsSection));
}

UserSettingsStore::~UserSettingsStore() {
    settings_->endGroup();
    settings_->sync();
}

// Every stored value is a number or a name from the file system (the nationality, the log path).
std::string UserSettingsStore::Get(const std::string& key) {
    return ui::NameFromQt(settings_->value(ui::ToQt(key)).toString());
}

void UserSettingsStore::Set(const std::string& key, const std::string& value) {
    settings_->setValue(ui::ToQt(key), ui::NameToQt(value));
}

void SaveUserSettings() {
    UserSettingsStore store;
    SaveSettings(store);
}

} // namespace dorva::setup
