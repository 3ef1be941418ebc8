#include "voice/Resampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dorva::voice {
namespace {

// Zero crossings of the sinc on each side: enough for about 70 dB of stop-band with the Blackman
// window, at a cost that does not matter for recordings of a few seconds.
constexpr double kZeroCrossings = 16;
// The pass band ends a little below the Nyquist frequency so that the transition band lies below it.
constexpr double kPassBand = 0.92;

double Blackman(double x) { // x in -1..1
    return 0.42 + 0.5 * std::cos(std::numbers::pi * x) + 0.08 * std::cos(2 * std::numbers::pi * x);
}

} // namespace

std::vector<float> Resample(std::span<const float> input, int inputRate, int outputRate) {
    if (inputRate <= 0 || outputRate <= 0) {
        return {};
    }
    if (inputRate == outputRate) {
        return {input.begin(), input.end()};
    }
    const double step = static_cast<double>(inputRate) / outputRate; // input samples per output sample
    // Cut-off in cycles per input sample.
    const double cutoff = 0.5 * kPassBand * std::min(1.0, 1.0 / step);
    const double halfWidth = kZeroCrossings / (2 * cutoff); // in input samples
    const auto outputs = static_cast<std::size_t>(static_cast<double>(input.size()) * outputRate / inputRate);
    std::vector<float> output(outputs);
    const auto last = static_cast<long>(input.size()) - 1;
    for (std::size_t n = 0; n < outputs; ++n) {
        const double t = static_cast<double>(n) * step;
        const long first = std::max(0L, static_cast<long>(std::ceil(t - halfWidth)));
        const long end = std::min(last, static_cast<long>(std::floor(t + halfWidth)));
        double sum = 0;
        for (long k = first; k <= end; ++k) {
            const double d = t - static_cast<double>(k);
            const double x = 2 * cutoff * d;
            const double sinc = x == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
            sum += input[static_cast<std::size_t>(k)] * 2 * cutoff * sinc * Blackman(d / halfWidth);
        }
        output[n] = static_cast<float>(sum);
    }
    return output;
}

std::int16_t ToPcm16(float sample) {
    return static_cast<std::int16_t>(std::lround(std::clamp(sample * 32768.0F, -32768.0F, 32767.0F)));
}

} // namespace dorva::voice
