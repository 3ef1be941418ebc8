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

TEST(Dbfs, FullScaleSquareIsZeroAndHalfScaleSineIsNineBelow) {
    const std::vector<std::int16_t> square = {32767, -32767, 32767, -32767};
    EXPECT_NEAR(Dbfs(square), 0.0, 0.01);
    // RMS of a sine is its amplitude / sqrt 2: 20 log10(0.5 / sqrt 2) = -9.03 dB.
    EXPECT_NEAR(Dbfs(Sine(0.5, 16000)), -9.03, 0.05);
}

TEST(Dbfs, DigitalSilenceAndNothingAreMinusInfinity) {
    EXPECT_EQ(Dbfs(std::vector<std::int16_t>(100, 0)), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(Dbfs({}), -std::numeric_limits<double>::infinity());
}

struct Mapping {
    double dbfs;
    int level;
};

class LevelFromDbfs : public ::testing::TestWithParam<Mapping> {};

TEST_P(LevelFromDbfs, Maps) {
    EXPECT_EQ(AudioLevelFromDbfs(GetParam().dbfs), GetParam().level) << GetParam().dbfs;
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelFromDbfs,
                         ::testing::Values(Mapping{-std::numeric_limits<double>::infinity(), 0},
                                           Mapping{std::numeric_limits<double>::quiet_NaN(), 0},
                                           Mapping{-90, 0}, Mapping{kQuietestDbfs, 0}, Mapping{-59.5, 1},
                                           Mapping{-30, 50}, Mapping{-6, 90}, Mapping{0, 100},
                                           Mapping{3, 100}));

TEST(AudioLevelMeter, GivesOneLevelForEveryTenthOfASecond) {
    AudioLevelMeter meter(16000);
    EXPECT_TRUE(meter.Add(Sine(0.5, 1599)).empty());
    EXPECT_EQ(meter.Add(Sine(0.5, 1)).size(), 1u);
    // 30 ms pieces, as the capture delivers them: 20 pieces are 600 ms, six levels.
    std::size_t levels = 0;
    for (int piece = 0; piece < 20; ++piece) {
        levels += meter.Add(Sine(0.5, 480)).size();
    }
    EXPECT_EQ(levels, 6u);
}

TEST(AudioLevelMeter, EachLevelIsItsOwnWindowsLoudness) {
    AudioLevelMeter meter(16000);
    std::vector<std::int16_t> samples(1600, 0);
    const std::vector<std::int16_t> loud = Sine(1.0, 1600);
    samples.insert(samples.end(), loud.begin(), loud.end());
    const std::vector<int> levels = meter.Add(samples);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0], 0);
    EXPECT_EQ(levels[1], AudioLevelFromDbfs(Dbfs(loud)));
}

} // namespace

namespace {

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
}

TEST(LoudestDbfs, AShortStretchIsTakenWhole) {
    const std::vector<std::int16_t> word = Sine(0.5, 800);
    EXPECT_DOUBLE_EQ(LoudestDbfs(word, 1600), Dbfs(word));
    EXPECT_EQ(LoudestDbfs({}, 1600), -std::numeric_limits<double>::infinity());
}

} // namespace
