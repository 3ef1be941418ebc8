#pragma once
// Where the player left each window. A window comes back at the place and size it had when it was last
// closed: in this run from memory, in the next from the settings, which File > Exit writes with the
// others (closing the toolbar saves nothing, the places included).

#include <QByteArray>
#include <QMap>
#include <QString>

class QWidget;

namespace dorva::ui {

// The places by window name, as QWidget::saveGeometry gives them.
using Places = QMap<QString, QByteArray>;
Places& WindowPlaces();

// From now on the window's place is taken whenever it closes or hides, and given back whenever it
// comes up. Every window of the registry is watched from its creation, the splash screen excepted.
void WatchPlace(QWidget& window);

// Takes the place of every watched window that is open, as if it closed now: the settings are about to
// be written and the program to end.
void TakeOpenWindowPlaces();

} // namespace dorva::ui
