#pragma once
// Every window is one program-wide instance, created on first use and kept until it is closed
// (windows that unload on close set Qt::WA_DeleteOnClose) or the program ends.

#include "ui/WindowPlaces.h"

#include <QPointer>
#include <QWidget>
#include <functional>

namespace dorva::ui {

namespace detail {
void RegisterWindowDestroyer(std::function<void()> destroy);
} // namespace detail

template <class W> QPointer<W>& WindowSlot() {
    static QPointer<W> slot;
    return slot;
}

// The window; created hidden when it does not exist yet. Showing it is the caller's business.
template <class W> W& Window() {
    QPointer<W>& slot = WindowSlot<W>();
    if (!slot) {
        static const bool registered = [] {
            detail::RegisterWindowDestroyer([] { delete WindowSlot<W>().data(); });
            return true;
        }();
        (void)registered;
        slot = new W();
        WatchPlace(*slot);
    }
    return *slot;
}

// The window when it exists, else nullptr; never creates it.
template <class W> W* ExistingWindow() {
    return WindowSlot<W>().data();
}

// Whether the window exists and is visible; never creates it.
template <class W> bool IsWindowVisible() {
    W* w = ExistingWindow<W>();
    return w && w->isVisible();
}

// Brings a modeless window up: shows it (restored when minimised), raises and activates it.
void ShowWindow(QWidget& window);

// Shows the window (created on first use) and brings it to the front.
template <class W> W& ShowWindow() {
    W& w = Window<W>();
    ShowWindow(w);
    return w;
}

// Destroys every window that exists (at the end of the program, and between tests).
void DestroyAllWindows();

} // namespace dorva::ui
