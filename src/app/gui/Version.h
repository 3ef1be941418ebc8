#pragma once
// The program's version as the splash and about windows show it.

#include <QString>

namespace dorva::ui {

// "Version " + major + "." + minor + "." + revision.
inline QString VersionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(DORVA_VERSION_MAJOR)
        .arg(DORVA_VERSION_MINOR)
        .arg(DORVA_VERSION_REVISION);
}

} // namespace dorva::ui
