// The sound the recogniser takes in: recordings at any rate reach it at 16 kHz with their speech band
// intact and nothing folded back from above the new Nyquist frequency; and the sound level the set-up
// screen shows, dB relative to full scale mapped onto 0 to 100, about ten values a second; and when
// the player has begun to talk over the program's voice.
#include "voice/AudioLevel.h"
#include "voice/BargeIn.h"
#include "voice/Resampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <span>
#include <vector>

using namespace dorva::voice;

namespace {

// A sine of the frequency and amplitude (1: full scale) at the rate, for the seconds.
std::vector<float> Tone(double hertz, int rate, double seconds, double amplitude = 0.5) {
    std::vector<float> samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<float>(
            amplitude * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(i) / rate));
    }
    return samples;
}

// A 440 Hz sine as the microphone gives it: 16-bit samples at 16 kHz.
std::vector<std::int16_t> Sine(double amplitude, std::size_t count) {
    std::vector<std::int16_t> samples;
    for (const float sample : Tone(440, 16000, static_cast<double>(count) / 16000, amplitude)) {
        samples.push_back(static_cast<std::int16_t>(std::lround(sample * 32767)));
    }
    return samples;
}

// The largest difference from the ideal tone at the output rate (of 0 Hz: the largest sample), away
// from the edges where the filter runs out of input.
double WorstError(const std::vector<float>& output, double hertz, int rate) {
    double worst = 0;
    for (std::size_t i = output.size() / 10; i < output.size() * 9 / 10; ++i) {
        const double ideal = 0.5 * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(i) / rate);
        worst = std::max(worst, std::abs(output[i] - ideal));
    }
    return worst;
}

TEST(Resampler, ToneInTheSpeechBandComesOutAsTheSameTone) {
    for (const auto& [from, to, hertz] :
         {std::tuple{44100, 16000, 1000.0}, {8000, 16000, 1000.0}, {11025, 16000, 2500.0}}) {
        const std::vector<float> output = Resample(Tone(hertz, from, 1.0), from, to);
        EXPECT_EQ(output.size(), static_cast<std::size_t>(to));
        EXPECT_LT(WorstError(output, hertz, to), 0.005) << from << " -> " << to;
    }
}

// A 10 kHz tone cannot exist at 16 kHz; dropping samples would fold it to 6 kHz at full strength.
TEST(Resampler, ToneAboveTheNewNyquistFrequencyIsRemoved) {
    const std::vector<float> output = Resample(Tone(10000, 44100, 1.0), 44100, 16000);
    EXPECT_LT(WorstError(output, 0, 16000), 0.5 / 1000) << "less than -60 dB of the tone must remain";
}

// The same rate gives the samples back; without a rate there are none.
TEST(Resampler, SameRateGivesTheSamplesBackAndNoRateNone) {
    const std::vector<float> input = {0.1f, -0.2f, 0.3f};
    EXPECT_EQ(Resample(input, 16000, 16000), input);
    EXPECT_TRUE(Resample(input, 0, 16000).empty());
    EXPECT_TRUE(Resample(input, 16000, -1).empty());
    EXPECT_TRUE(Resample({}, 44100, 16000).empty());
}

TEST(Dbfs, FullScaleSquareIsZeroHalfScaleSineNineBelowAndSilenceMinusInfinity) {
    EXPECT_NEAR(Dbfs(std::vector<std::int16_t>{32767, -32767, 32767, -32767}), 0.0, 0.01);
    // RMS of a sine is its amplitude / sqrt 2: 20 log10(0.5 / sqrt 2) = -9.03 dB.
    EXPECT_NEAR(Dbfs(Sine(0.5, 16000)), -9.03, 0.05);
    EXPECT_EQ(Dbfs(std::vector<std::int16_t>(100, 0)), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(Dbfs({}), -std::numeric_limits<double>::infinity());
}

TEST(AudioLevel, MapsDbfsOntoZeroToAHundred) {
    const double inf = std::numeric_limits<double>::infinity(),
                 nan = std::numeric_limits<double>::quiet_NaN();
    // clang-format off
    for (const auto& [dbfs, level] : {std::pair{-inf, 0}, {nan, 0}, {kQuietestDbfs, 0}, {-59.5, 1}, {-30.0, 50},
                                      {0.0, 100}, {3.0, 100}}) {
        // clang-format on
        EXPECT_EQ(AudioLevelFromDbfs(dbfs), level) << dbfs;
    }
}

// One level for every tenth of a second, each its own window's loudness, in whatever pieces the
// samples come.
TEST(AudioLevelMeter, GivesEachTenthOfASecondItsLevel) {
    AudioLevelMeter meter(16000);
    EXPECT_TRUE(meter.Add(std::vector<std::int16_t>(1599, 0)).empty());
    const std::vector<std::int16_t> loud = Sine(1.0, 1600);
    EXPECT_EQ(meter.Add(loud), (std::vector<int>{0})); // 1599 silent samples and loud[0], which is 0
    EXPECT_EQ(meter.Add(std::vector<std::int16_t>{loud[0]}),
              std::vector<int>{AudioLevelFromDbfs(Dbfs(loud))});
}

// An utterance is speech only if some tenth of a second of it is as loud as speech: a word in a
// stretch of near silence still counts, dither and room noise alone do not.
TEST(LoudestDbfs, IsTheLoudestWindowNotTheAverage) {
    std::vector<std::int16_t> samples(16000, 1); // one second of dither-level noise
    const std::vector<std::int16_t> word = Sine(0.1, 1600);
    samples.insert(samples.begin() + 8000, word.begin(), word.end());
    EXPECT_NEAR(LoudestDbfs(samples, 1600), Dbfs(word), 0.5);
    EXPECT_LT(Dbfs(samples), LoudestDbfs(samples, 1600) - 9);
    EXPECT_GE(LoudestDbfs(samples, 1600), kQuietestSpeechDbfs);
    EXPECT_LT(LoudestDbfs(std::vector<std::int16_t>(16000, 1), 1600), kQuietestSpeechDbfs);
    // A stretch shorter than the window is taken whole.
    EXPECT_DOUBLE_EQ(LoudestDbfs(word, 1600), Dbfs(word));
    EXPECT_EQ(LoudestDbfs({}, 1600), -std::numeric_limits<double>::infinity());
}

// The decoders hear the audio over a floor of noise at its level: digital silence gets the floor,
// loud audio keeps its shape, full scale is clipped rather than wrapped round, and a recording always
// gets the same noise.
TEST(NoiseFloor, LaysNoiseOfItsLevelUnderTheAudio) {
    NoiseFloor floor;
    const auto silence = floor.Add(std::vector<std::int16_t>(16000, 0));
    EXPECT_NEAR(Dbfs(silence), kNoiseFloorDbfs, 0.5);

    const std::vector<std::int16_t> tone = Sine(0.5, 16000);
    const auto heard = floor.Add(tone);
    std::vector<std::int16_t> added(tone.size());
    for (std::size_t i = 0; i < tone.size(); ++i) {
        added[i] = static_cast<std::int16_t>(heard[i] - tone[i]);
    }
    EXPECT_NEAR(Dbfs(added), kNoiseFloorDbfs, 0.5);

    const auto top = floor.Add(std::vector<std::int16_t>(1000, 32767));
    EXPECT_GT(*std::min_element(top.begin(), top.end()), 32000);
    const auto bottom = floor.Add(std::vector<std::int16_t>(1000, -32768));
    EXPECT_LT(*std::max_element(bottom.begin(), bottom.end()), -32000);

    NoiseFloor one;
    NoiseFloor other;
    const std::vector<std::int16_t> silent(100, 0);
    const auto first = one.Add(silent);
    const auto second = other.Add(silent);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), second.begin(), second.end()));
}

// A 440 Hz sine at the level, in dBFS, for the milliseconds.
std::vector<std::int16_t> At(double dbfs, int ms) {
    return Sine(std::sqrt(2.0) * std::pow(10.0, dbfs / 20), static_cast<std::size_t>(16 * ms));
}

// Where in the sound the detector first says the player began, in ms; -1 for never. The sound comes in
// the capture's 30 ms pieces, each one with whether the program's voice sounded over it.
int BeganAt(const std::vector<std::pair<std::vector<std::int16_t>, bool>>& stretches,
            std::optional<double> player) {
    BargeIn bargeIn(16000);
    int ms = 0;
    for (const auto& [sound, speaking] : stretches) {
        for (std::size_t at = 0; at < sound.size(); at += 480, ms += 30) {
            const std::size_t take = std::min<std::size_t>(480, sound.size() - at);
            if (bargeIn.Feed(std::span(sound).subspan(at, take), speaking, player)) {
                return ms;
            }
        }
    }
    return -1;
}

TEST(BargeIn, StopsTheVoiceOnlyForThePlayerTalkingOverIt) {
    const auto settled = std::pair{At(-65, kBargeInSettings.settleMs), true}; // the echo's residue
    struct Case {
        const char* what;
        std::vector<std::pair<std::vector<std::int16_t>, bool>> stretches;
        std::optional<double> player;
        std::pair<int, int> began; // the answer lies in [first, second]
    };
    const int start = kBargeInSettings.settleMs + 30;
    const std::pair never{-1, -1}, soon{start - 30, start + 60};
    const std::vector<Case> cases = {
        {"the player at their level",
         {settled, {At(-70, 30), true}, {At(-20, 500), true}},
         -15.0,
         {start, start + 90}},
        {"the player turned away, 18 dB down", {settled, {At(-33, 500), true}}, -15.0, soon},
        {"someone across the table", {settled, {At(-40, 500), true}}, -15.0, never},
        {"the echo's residue alone", {settled, settled}, -15.0, never},
        {"a click", {settled, {At(-5, 10), true}, {At(-65, 300), true}}, -15.0, never},
        {"no player level yet: speech", {settled, {At(-25, 300), true}}, std::nullopt, soon},
        {"no player level yet: a distant voice", {settled, {At(-45, 300), true}}, std::nullopt, never},
        {"the canceller still learning the room", {{At(-20, 600), true}}, -15.0, never},
        {"speech while the program is silent", {{At(-65, 3000), true}, {At(-20, 600), false}}, -15.0, never},
        // Once in a stretch of the program's speech, and again in the next.
        {"a pause in the player's speech",
         {settled, {At(-20, 300), true}, {At(-65, 300), true}, {At(-20, 300), true}},
         -15.0,
         soon},
    };
    for (const Case& c : cases) {
        const int at = BeganAt(c.stretches, c.player);
        EXPECT_GE(at, c.began.first) << c.what;
        EXPECT_LE(at, c.began.second) << c.what;
    }
    BargeIn bargeIn(16000);
    const std::vector<std::int16_t> residue = At(-65, kBargeInSettings.settleMs), player = At(-20, 300);
    EXPECT_FALSE(bargeIn.Feed(residue, true, -15.0));
    EXPECT_TRUE(bargeIn.Feed(player, true, -15.0));
    EXPECT_FALSE(bargeIn.Feed(player, true, -15.0)) << "once in a stretch";
    EXPECT_FALSE(bargeIn.Feed(player, false, -15.0));
    EXPECT_TRUE(bargeIn.Feed(player, true, -15.0)) << "and again in the next";
}

} // namespace
