#include "setup/gui/UserSettings.h"

#include "ui/Text.h"
#include "ui/WindowPlaces.h"

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

namespace {

// The window places stand in a group of their own: "Params" keeps the values the player chose.
const QString kPlacesGroup = QStringLiteral("WindowPlaces");

} // namespace

void SaveUserSettings() {
    {
        UserSettingsStore store;
        SaveSettings(store);
    }
    ui::TakeOpenWindowPlaces();
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(kSettingsApplication));
    settings.beginGroup(kPlacesGroup);
    const ui::Places& places = ui::WindowPlaces();
    for (auto place = places.cbegin(); place != places.cend(); ++place) {
        settings.setValue(place.key(), place.value());
    }
}

void LoadWindowPlaces() {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(kSettingsApplication));
    settings.beginGroup(kPlacesGroup);
    ui::Places& places = ui::WindowPlaces();
    places.clear();
    for (const QString& name : settings.childKeys()) {
        places.insert(name, settings.value(name).toByteArray());
    }
}

} // namespace dorva::setup
