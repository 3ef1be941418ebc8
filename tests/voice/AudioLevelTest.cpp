// The sound level the set-up screen shows: dB relative to full scale mapped onto 0 to 100, about ten
// values a second.
#include "voice/AudioLevel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

using namespace dorva::voice;

namespace {

std::vector<std::int16_t> Sine(double amplitude, std::size_t count) {
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<std::int16_t>(std::lround(
            amplitude * 32767 * std::sin(2 * std::numbers::pi * 440.0 * static_cast<double>(i) / 16000)));
    }
    return samples;
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

} // namespace
