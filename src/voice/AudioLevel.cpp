#include "voice/AudioLevel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dorva::voice {
double DbfsOfMeanSquare(double meanSquare) {
    if (meanSquare <= 0) {
        return -std::numeric_limits<double>::infinity();
    }
    // Full scale is a square wave at 32768; a full-scale sine is about -3 dBFS.
    return 10.0 * std::log10(meanSquare / (32768.0 * 32768.0));
}

double Dbfs(std::span<const std::int16_t> samples) {
    if (samples.empty()) {
        return -std::numeric_limits<double>::infinity();
    }
    double sum = 0;
    for (const std::int16_t s : samples) {
        sum += static_cast<double>(s) * s;
    }
    return DbfsOfMeanSquare(sum / static_cast<double>(samples.size()));
}

double LoudestDbfs(std::span<const std::int16_t> samples, std::size_t window) {
    if (samples.size() <= window || window == 0) {
        return Dbfs(samples);
    }
    double loudest = -std::numeric_limits<double>::infinity();
    for (std::size_t start = 0; start + window <= samples.size(); start += window / 2) {
        loudest = std::max(loudest, Dbfs(samples.subspan(start, window)));
    }
    return loudest;
}

int AudioLevelFromDbfs(double dbfs) {
    if (std::isnan(dbfs) || dbfs <= kQuietestDbfs) {
        return 0;
    }
    const double level = std::round((dbfs - kQuietestDbfs) * 100.0 / -kQuietestDbfs);
    return static_cast<int>(std::clamp(level, 0.0, 100.0));
}

AudioLevelMeter::AudioLevelMeter(int sampleRate, int levelsPerSecond)
    : windowSamples_(static_cast<std::size_t>(std::max(1, sampleRate / std::max(1, levelsPerSecond)))) {}

std::vector<int> AudioLevelMeter::Add(std::span<const std::int16_t> samples) {
    std::vector<int> levels;
    for (const double dbfs : AddDbfs(samples)) {
        levels.push_back(AudioLevelFromDbfs(dbfs));
    }
    return levels;
}

std::vector<double> AudioLevelMeter::AddDbfs(std::span<const std::int16_t> samples) {
    std::vector<double> loudness;
    for (const std::int16_t s : samples) {
        sumOfSquares_ += static_cast<double>(s) * s;
        if (++count_ == windowSamples_) {
            loudness.push_back(DbfsOfMeanSquare(sumOfSquares_ / static_cast<double>(count_)));
            Reset();
        }
    }
    return loudness;
}

void AudioLevelMeter::Reset() {
    count_ = 0;
    sumOfSquares_ = 0;
}

NoiseFloor::NoiseFloor(double dbfs) : random_(7), noise_(0.0, 32768.0 * std::pow(10.0, dbfs / 20.0)) {}

std::span<const std::int16_t> NoiseFloor::Add(std::span<const std::int16_t> samples) {
    out_.resize(samples.size());
    std::transform(samples.begin(), samples.end(), out_.begin(), [this](std::int16_t s) {
        return static_cast<std::int16_t>(std::clamp(std::round(s + noise_(random_)), -32768.0, 32767.0));
    });
    return out_;
}

} // namespace dorva::voice
