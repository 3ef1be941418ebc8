#pragma once
// When the player talks over the program's voice.
//
// The audio server's echo canceller takes the program's voice out of what the microphone hears, but
// while both sound at once it also suppresses whatever of the player's speech the voice covers: a
// command said over a spoken result reaches the recogniser in pieces it cannot fit (through the
// canceller, 2 of 6 such commands were heard). Stopping the voice as soon as the player is heard
// leaves only the command's first tenth of a second damaged, and 5 of 6 were heard. So the program
// stops speaking when the player talks over it; stopped for anything but a command, "repeat that"
// says the result again.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace dorva::voice {

struct BargeInSettings {
    int loudMs;           // every hundredth of a second this long must be loud: a click is shorter
    double belowPlayerDb; // how far below the player's last command the player may still be talking
    double unknownDbfs;   // the level that counts before the player has given a command
    int settleMs;         // of the program's speech before the canceller has learned the room
};

// The canceller leaves the voice some 40 dB down once it has learned the room; the player's speech
// through it reaches within a few dB of the player's level even where the voice covers it. Before
// it has learned, the voice comes through almost whole and would stop itself: the canceller learned
// the test's loop-back within a fifth of a second of speech, and a real room takes longer, so the
// voice is not stopped in its first two seconds of speech after the program starts listening.
inline constexpr BargeInSettings kBargeInSettings{30, 20.0, -35.0, 2000};

class BargeIn {
public:
    explicit BargeIn(int sampleRate, const BargeInSettings& settings = kBargeInSettings);

    // Samples from the echo canceller, whether the program's voice sounded over them, and the
    // player's level when known. True once in each stretch of the program's speech: when the
    // player begins to talk over it.
    bool Feed(std::span<const std::int16_t> samples, bool programSpeaking, std::optional<double> playerDbfs);

private:
    bool EndFrame(bool programSpeaking, std::optional<double> playerDbfs);

    BargeInSettings settings_;
    std::size_t frameSamples_;
    std::size_t inFrame_ = 0;
    double frameSquares_ = 0;
    int spokenMs_ = 0;   // of the program's speech heard so far, up to settleMs
    int loudMs_ = 0;     // the sound has been loud this long
    bool fired_ = false; // in this stretch of the program's speech
};

} // namespace dorva::voice
