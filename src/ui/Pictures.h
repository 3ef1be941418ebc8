#pragma once
// Pictures of the program's resources, drawn at the size a window wants them.

#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace dorva::ui {

// The picture at a resource path; an empty icon while the picture is missing.
inline QIcon PictureIcon(const QString& resource) {
    return QFile::exists(resource) ? QIcon(resource) : QIcon();
}

// The picture at a resource path, scaled to fit size; an empty pixmap while the picture is missing.
inline QPixmap Picture(const QString& resource, QSize size) {
    return PictureIcon(resource).pixmap(size);
}

} // namespace dorva::ui
