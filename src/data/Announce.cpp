#include "data/Announce.h"

#include "data/GameLog.h"
#include "platform/Seams.h"

namespace dorva::data {

bool ActivationWindowVisible() {
    return platform::CurrentActivationWindow().IsVisible();
}

void ShowInActivationWindow(const std::string& text) {
    if (ActivationWindowVisible()) {
        platform::CurrentActivationWindow().SetText(text);
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
