#pragma once
// What the voice tells the listener: while the program's own voice plays, and for a short tail
// after it (echo, and the capture's own buffering), the microphone hears the program, not the
// player; the listener throws that audio away instead of taking it for a command.

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <mutex>
#include <sstream>
#include <string>

namespace dorva::voice::engine {

class PlaybackGate {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kTail{300};

    void Playing() {
        interrupted_ = false;
        playing_ = true;
    }
    void Quiet() {
        quietSince_ = Clock::now().time_since_epoch().count();
        playing_ = false;
    }
    bool Muted(Clock::time_point now = Clock::now()) const {
        if (playing_) {
            return true;
        }
        const Clock::time_point quiet{Clock::duration(quietSince_.load())};
        return quietSince_.load() != 0 && now < quiet + kTail;
    }

    // Whether the voice is sounding now (the tail after it not counted).
    bool Sounding() const { return playing_; }
    // The player began to talk over the voice: it falls silent, and what it still had to say is dropped.
    void Interrupt() { interrupted_ = true; }
    bool TakeInterrupt() { return interrupted_.exchange(false); }

    // What the voice is saying now (or said last), as handed to it (markup is no word).
    void Saying(const std::string& text) {
        std::string words;
        bool inTag = false;
        for (const char c : text) {
            inTag = c == '<' || (inTag && c != '>');
            words += inTag || c == '>' || std::isalnum(static_cast<unsigned char>(c)) == 0
                         ? ' '
                         : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const std::lock_guard lock(textMutex_);
        saying_ = " " + words + " ";
    }
    // Whether every word of a phrase heard is a word of what the voice is saying: then it is most
    // likely the program's own voice ("I will stop talking" holds the command "stop talking").
    bool SaidByProgram(const std::string& phrase) const {
        const std::lock_guard lock(textMutex_);
        std::istringstream words(phrase);
        std::string word;
        bool any = false;
        while (words >> word) {
            std::transform(word.begin(), word.end(), word.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (saying_.find(" " + word + " ") == std::string::npos) {
                return false;
            }
            any = true;
        }
        return any;
    }

private:
    mutable std::mutex textMutex_;
    std::string saying_;
    std::atomic<bool> playing_{false};
    std::atomic<bool> interrupted_{false};
    std::atomic<Clock::rep> quietSince_{0};
};

} // namespace dorva::voice::engine
