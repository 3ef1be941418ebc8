#include "data/GameLog.h"

#include "data/Messages.h"
#include "data/State.h"
#include "data/Text.h"
#include "platform/Seams.h"

#include <fstream>

namespace dorva::data {

std::string FormatLogLines(const std::string& stamp, const std::string& entry) {
    const std::string head = stamp + ": ";
    // Continuation lines stand under the entry's first character, so that an entry reads as one block
    // and the next stamp is easy to find.
    const std::string indent(head.size(), ' ');
    std::string lines;
    std::string line;
    bool first = true;
    const auto endLine = [&] {
        // A line with nothing on it would split the entry's block; it carries nothing either.
        if (first || line.find_first_not_of(' ') != std::string::npos) {
            lines += (first ? head : indent) + line + "\r\n";
            first = false;
        }
        line.clear();
    };
    for (std::size_t i = 0; i < entry.size(); ++i) {
        const char c = entry[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < entry.size() && entry[i + 1] == '\n') {
                ++i;
            }
            endLine();
        } else {
            line += c;
        }
    }
    if (first || !line.empty()) {
        endLine();
    }
    return lines;
}

bool AppendLogEntry(const std::string& entry) {
    const std::string stamp = platform::CurrentClock().LogStamp();
    std::ofstream log(gLogFileName, std::ios::binary | std::ios::app);
    if (log) {
        log << FormatLogLines(stamp, Latin1ToUtf8(entry));
        log.close();
    }
    if (log) {
        gUnwritableLogReported.reset();
        return true;
    }
    // Reported once per log file, so that a game with an unwritable log is not interrupted at every
    // roll; choosing another log file arms the report again.
    if (gUnwritableLogReported != gLogFileName) {
        gUnwritableLogReported = gLogFileName;
        ShowMessage("The game log " + gLogFileName + " cannot be written; the game goes on without it.",
                    false);
    }
    return false;
}

bool LogsEveryRoll() {
    return gKeepLogFile == 1 && gLogEveryRoll == 1;
}

void LogRoll(const std::string& screen, const std::string& text) {
    if (LogsEveryRoll()) {
        AppendLogEntry(screen + ": " + text);
    }
}

std::string JoinShown(const std::vector<std::string>& shown, const std::string& separator) {
    std::string joined;
    for (const std::string& text : shown) {
        if (!text.empty()) {
            joined += (joined.empty() ? "" : separator) + text;
        }
    }
    return joined;
}

} // namespace dorva::data
