#pragma once
// What the voice tells the listener: while the program's own voice plays, and for a short tail
// after it (echo, and the capture's own buffering), the microphone hears the program, not the
// player; the listener throws that audio away instead of taking it for a command.

#include <atomic>
#include <chrono>

namespace dorva::voice::engine {

class PlaybackGate {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kTail{300};

    void Playing() { playing_ = true; }
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

private:
    std::atomic<bool> playing_{false};
    std::atomic<Clock::rep> quietSince_{0};
};

} // namespace dorva::voice::engine
