#include "data/Announce.h"

#include "voice/SpeechState.h"

#include <ctime>
#include <fstream>

namespace dorva::data {
namespace {

struct ChannelState {
    ActivationWindowChannel* window = nullptr;
    LogClock clock;
    LogFailureHandler failure;
    std::string reportedLogPath; // the unwritable log path already reported
    bool reported = false;
};

ChannelState& State() {
    static ChannelState state;
    return state;
}

std::string DefaultStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64];
    const std::size_t n = std::strftime(buffer, sizeof buffer, "%x %X", &local);
    return std::string(buffer, n);
}

} // namespace

void SetActivationWindowChannel(ActivationWindowChannel* channel) { State().window = channel; }
void SetLogClock(LogClock clock) { State().clock = std::move(clock); }
void SetLogFailureHandler(LogFailureHandler handler) { State().failure = std::move(handler); }

void SpeakText(const std::string& text, int flags) {
    if (gSpeak == 1 && gVoiceAvailable == 1 && voice::gVoice) {
        voice::gVoice->Speak(text, flags);
        gLastSpokenText = text;
    }
}

bool ActivationWindowVisible() {
    ActivationWindowChannel* window = State().window;
    return window && window->IsVisible();
}

void ShowInActivationWindow(const std::string& text) {
    if (ActivationWindowVisible()) {
        State().window->SetText(text);
    }
}

void ShowActivationText(const std::string& text) {
    ActivationWindowChannel* window = State().window;
    if (!window) {
        return;
    }
    std::string shown;
    shown.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\r') {
            shown += "  ";
        } else {
            shown += c;
        }
    }
    window->SetText(shown);
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

std::string FormatLogLine(const std::string& stamp, const std::string& entry) {
    return stamp + ": " + CutLogEntry(entry);
}

bool WriteLogEntry(std::string entry) {
    ChannelState& state = State();
    const std::string stamp = state.clock ? state.clock() : DefaultStamp();
    std::ofstream log(gLogFileName, std::ios::binary | std::ios::app);
    if (log) {
        log << FormatLogLine(stamp, entry) << "\r\n";
        log.close();
    }
    if (log) {
        state.reported = false;
        return true;
    }
    // Reported once per log file, so that a game with an unwritable log is not interrupted at every
    // roll; choosing another log file arms the report again.
    if (!state.reported || state.reportedLogPath != gLogFileName) {
        state.reported = true;
        state.reportedLogPath = gLogFileName;
        if (state.failure) {
            state.failure(gLogFileName);
        }
    }
    return false;
}

void ResetAnnounce() {
    gSpeak = 0;
    gVoiceAvailable = 0;
    gLastSpokenText.clear();
    gKeepLogFile = 0;
    gLogFileName = "DORVALog.txt";
    State() = ChannelState{};
}

} // namespace dorva::data
