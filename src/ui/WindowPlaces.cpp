#include "ui/WindowPlaces.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace dorva::ui {
namespace {

// A window is known by its name, or by its class where it has none: there is one of each.
QString PlaceKey(const QWidget& window) {
    return window.objectName().isEmpty() ? QString::fromLatin1(window.metaObject()->className())
                                         : window.objectName();
}

void TakePlace(const QWidget& window) {
    WindowPlaces().insert(PlaceKey(window), window.saveGeometry());
}

// Only the program's own showing and hiding counts: minimising, and the window manager's restoring,
// arrive as spontaneous events and leave the place alone.
class PlaceWatcher final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWidget*>(watched);
        if (event->spontaneous()) {
            return false;
        }
        if (event->type() == QEvent::Show) {
            // A place on no screen any more (a second monitor unplugged, a smaller display) is moved
            // onto the screen by restoreGeometry, so that the window never opens out of reach.
            const auto place = WindowPlaces().constFind(PlaceKey(*window));
            if (place != WindowPlaces().constEnd()) {
                window->restoreGeometry(*place);
            }
        } else if (event->type() == QEvent::Hide) {
            TakePlace(*window);
        }
        return false;
    }
};

QObject& Watcher() {
    static QPointer<PlaceWatcher> watcher;
    if (!watcher) {
        watcher = new PlaceWatcher(QCoreApplication::instance());
    }
    return *watcher;
}

} // namespace

Places& WindowPlaces() {
    static Places places;
    return places;
}

void WatchPlace(QWidget& window) {
    // The splash screen is placed by the program alone, for a moment.
    if (window.windowType() == Qt::SplashScreen) {
        return;
    }
    window.installEventFilter(&Watcher());
    window.setProperty("dorvaWatchedPlace", true);
}

void TakeOpenWindowPlaces() {
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->property("dorvaWatchedPlace").toBool()) {
            TakePlace(*window);
        }
    }
}

} // namespace dorva::ui
