#include "ui/FileFilter.h"

#include <vector>

namespace dorva::ui {
namespace {

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace

std::string QtFileFilter(std::string_view filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = filter.find('|', start);
        parts.push_back(Trimmed(filter.substr(start, bar == std::string_view::npos ? bar : bar - start)));
        if (bar == std::string_view::npos) {
            break;
        }
        start = bar + 1;
    }
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string description = parts[i];
        const std::string pattern = i + 1 < parts.size() ? parts[i + 1] : std::string();
        if (description.empty() && pattern.empty()) {
            continue;
        }
        // Qt reads the patterns from the parentheses; Windows' filters keep them apart.
        if (!pattern.empty() && description.find('(' + pattern + ')') == std::string::npos) {
            // Several patterns are ";"-separated on Windows, blank-separated in Qt.
            std::string qtPattern = pattern;
            for (char& c : qtPattern) {
                if (c == ';') {
                    c = ' ';
                }
            }
            description = description.empty() ? qtPattern : description + " (" + qtPattern + ')';
        }
        if (!out.empty()) {
            out += ";;";
        }
        out += description;
    }
    return out;
}

} // namespace dorva::ui
