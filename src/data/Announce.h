#pragma once
// The shared result channels: speech, the VASL activation window and the game log.

#include <cstdint>
#include <functional>
#include <string>

namespace dorva::data {

inline int gSpeak = 0;          // speech output wanted ("Speak results")
inline int gVoiceAvailable = 0; // 1 when the voice was created at start-up
inline std::string gLastSpokenText;
inline std::int16_t gKeepLogFile = 0;
inline std::string gLogFileName = "DORVALog.txt";

// Speech flags of the platform voice: asynchronous, and asynchronous with speech markup.
inline constexpr int kSpeakAsync = 1;
inline constexpr int kSpeakAsyncMarkup = 9;

// The VASL activation window as the channels see it. The windows install the real one; asking
// whether it is visible creates it hidden when it does not exist yet.
class ActivationWindowChannel {
public:
    virtual ~ActivationWindowChannel() = default;
    virtual bool IsVisible() = 0;
    virtual void SetText(const std::string& text) = 0;
};
void SetActivationWindowChannel(ActivationWindowChannel* channel);

// Whether the VASL activation window is visible (asking creates it hidden when it does not exist).
bool ActivationWindowVisible();

void SpeakText(const std::string& text, int flags);
void ShowInActivationWindow(const std::string& text);
void ShowActivationText(const std::string& text);

// Appends one line to the game log (gLogFileName). The entry is a copy: it is cut as the log
// wants it. Returns false when the file could not be written.
bool WriteLogEntry(std::string entry);

// The entry as it is logged: with two or more carriage returns it is cut just before the
// second-to-last one; otherwise it stays whole.
std::string CutLogEntry(std::string entry);
// One log line without its line end: the stamp, ": " and the cut entry.
std::string FormatLogLine(const std::string& stamp, const std::string& entry);

// The date and time that stamp a log line (the system locale's short date, a blank, its long
// time). The windows install the locale's clock; tests install a fixed one.
using LogClock = std::function<std::string()>;
void SetLogClock(LogClock clock);

// Told once about a log file that cannot be written (again after the log file name changes).
using LogFailureHandler = std::function<void(const std::string& path)>;
void SetLogFailureHandler(LogFailureHandler handler);

void ResetAnnounce();

} // namespace dorva::data
