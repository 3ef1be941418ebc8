#include "ui/Windows.h"

#include <vector>

namespace dorva::ui {
namespace {
std::vector<std::function<void()>>& Destroyers() {
    static std::vector<std::function<void()>> destroyers;
    return destroyers;
}
} // namespace

void detail::RegisterWindowDestroyer(std::function<void()> destroy) {
    Destroyers().push_back(std::move(destroy));
}

void ShowWindow(QWidget& window) {
    if (window.isMinimized()) {
        window.showNormal();
    } else {
        window.show();
    }
    window.raise();
    window.activateWindow();
}

void DestroyAllWindows() {
    // Newest first, so that a window is gone before the windows it was opened from.
    for (auto it = Destroyers().rbegin(); it != Destroyers().rend(); ++it) {
        (*it)();
    }
}

} // namespace dorva::ui

#include "ui/Screens.h"

namespace dorva::ui {
namespace {
Screens*& InstalledScreens() {
    static Screens* screens = nullptr;
    return screens;
}
} // namespace

Screens* CurrentScreens() {
    return InstalledScreens();
}
void SetScreens(Screens* screens) {
    InstalledScreens() = screens;
}

} // namespace dorva::ui
