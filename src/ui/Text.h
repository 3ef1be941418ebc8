#pragma once
// Conversions between the logic layer's single-byte texts and Qt, and between twips and pixels.

#include <QString>
#include <string>

namespace dorva::ui {

// The logic layer keeps texts as the single-byte (Latin-1) text of the data files.
inline QString ToQt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQt(const QString& text) {
    return text.toLatin1().toStdString();
}

// A table or result text as a label shows it: its carriage returns, alone or before a line feed,
// become line breaks.
inline QString DisplayText(const std::string& text) {
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

// Names from the file system (file paths, nationality names taken from file names) are the system's
// UTF-8, not table text: a log path or a nationality file may well hold characters beyond Latin-1.
inline QString NameToQt(const std::string& name) {
    return QString::fromStdString(name);
}
inline std::string NameFromQt(const QString& name) {
    return name.toStdString();
}

// 15 twips make one pixel at 96 dots per inch; Qt scales further on high-density screens.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int Twips(int twips) {
    return twips / kTwipsPerPixel;
}
inline constexpr int ToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline const QString kAppTitle = QStringLiteral("DORVA II");

} // namespace dorva::ui
