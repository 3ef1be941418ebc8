// Recordings at any rate reach the recogniser at 16 kHz with their speech band intact and nothing
// folded back from above the new Nyquist frequency.
#include "voice/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using dorva::voice::Resample;

namespace {

std::vector<float> Tone(double hertz, int rate, double seconds) {
    std::vector<float> samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] =
            static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(i) / rate));
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

} // namespace
