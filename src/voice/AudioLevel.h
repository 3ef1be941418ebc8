#pragma once
// The input level the set-up screen shows as a row of asterisks: 0 to 100 from the loudness of the
// microphone signal in dB relative to full scale, about ten values a second.

#include <cstddef>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace dorva::voice {

// Levels at or below this many dBFS show as 0; a room with nobody speaking sits near -60 to -50 on
// an ordinary microphone, speech at arm's length near -30 to -15.
inline constexpr double kQuietestDbfs = -60.0;

// Root-mean-square loudness of 16-bit samples in dB relative to full scale; minus infinity for
// digital silence or no samples at all.
double Dbfs(std::span<const std::int16_t> samples);
// The same of a mean square already taken.
double DbfsOfMeanSquare(double meanSquare);

// The loudest stretch of an utterance must reach this for it to be speech at all; below it the
// decoder's voice-activity detector was set off by background noise or the noise floor.
inline constexpr double kQuietestSpeechDbfs = -55.0;

// The loudness of the loudest window of the given length (the whole when shorter); minus infinity
// for digital silence or no samples.
double LoudestDbfs(std::span<const std::int16_t> samples, std::size_t window);

// kQuietestDbfs and below give 0, 0 dBFS (and above) gives 100, linear in dB between.
int AudioLevelFromDbfs(double dbfs);

// Cuts a stream of samples into windows (of one tenth of a second unless told) and gives each
// window's level.
class AudioLevelMeter {
public:
    explicit AudioLevelMeter(int sampleRate, int levelsPerSecond = 10);
    // The levels of the windows these samples complete, oldest first (usually none or one).
    std::vector<int> Add(std::span<const std::int16_t> samples);
    // The same as loudness in dBFS (minus infinity for digital silence).
    std::vector<double> AddDbfs(std::span<const std::int16_t> samples);
    void Reset();

private:
    std::size_t windowSamples_;
    std::size_t count_ = 0;
    double sumOfSquares_ = 0;
};

// A floor of faint white noise laid under the audio the decoders hear. The model learnt English from
// recordings that all carried a noise floor; audio with none (a quiet room on a good microphone, a
// monitored or synthetic source, whose pauses and weak sounds are digital silence or near it) makes
// features it never saw, the phone loop fits them better than the grammar's words do, and clear
// commands were refused as a poor fit: one clean command in twenty on the voices the recogniser was
// tuned on, one in four on some others. A microphone's own floor lies near -70 to -50 dBFS, so one at
// kNoiseFloorDbfs changes little where there is one and gives one where there is not. The noise is
// the same from run to run, so that a recording always gives the same result.
inline constexpr double kNoiseFloorDbfs = -60.0;

class NoiseFloor {
public:
    explicit NoiseFloor(double dbfs = kNoiseFloorDbfs);
    // The samples with the noise added, clipped to the 16-bit range; valid until the next call.
    std::span<const std::int16_t> Add(std::span<const std::int16_t> samples);

private:
    std::minstd_rand random_;
    std::normal_distribution<double> noise_;
    std::vector<std::int16_t> out_;
};

} // namespace dorva::voice
