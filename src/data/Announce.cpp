#include "data/Announce.h"

#include "data/GameLog.h"
#include "platform/Seams.h"

#include <utility>

namespace dorva::data {

bool ActivationWindowVisible() {
    return platform::CurrentActivationWindow().IsVisible();
}

void ShowInActivationWindow(const std::string& text) {
    if (ActivationWindowVisible()) {
        platform::CurrentActivationWindow().SetText(text);
    }
}

namespace {
// What the notice on show covers.
std::string& Covered() {
    static std::string covered;
    return covered;
}
} // namespace

void ShowNotice(const std::string& notice) {
    if (!ActivationWindowVisible()) {
        return;
    }
    platform::ActivationWindow& window = platform::CurrentActivationWindow();
    // Said twice, the notice still covers the result, not itself.
    if (std::string shown = window.Text(); shown != notice) {
        Covered() = std::move(shown);
    }
    window.SetText(notice);
}

void EndNotice(const std::string& notice) {
    platform::ActivationWindow& window = platform::CurrentActivationWindow();
    if (window.Text() == notice) {
        window.PutBack(Covered());
    }
}

void ShowActivationText(const std::string& text) {
    std::string shown;
    shown.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\r') {
            shown += "  ";
        } else {
            shown += c;
        }
    }
    platform::CurrentActivationWindow().SetText(shown);
}

std::string CutLogEntry(std::string entry) {
    const std::size_t last = entry.rfind('\r');
    // With a single carriage return (or one at the very start) there is no earlier one to cut at;
    // such an entry is logged whole.
    if (last == std::string::npos || last == 0) {
        return entry;
    }
    const std::size_t before = entry.rfind('\r', last - 1);
    if (before == std::string::npos) {
        return entry;
    }
    entry.resize(before);
    return entry;
}

bool WriteLogEntry(std::string entry) {
    return AppendLogEntry(CutLogEntry(std::move(entry)));
}

} // namespace dorva::data
