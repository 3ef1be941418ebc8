#include "voice/BargeIn.h"

#include "voice/AudioLevel.h"

#include <algorithm>

namespace dorva::voice {
namespace {

constexpr int kFrameMs = 10;

} // namespace

BargeIn::BargeIn(int sampleRate, const BargeInSettings& settings)
    : settings_(settings),
      frameSamples_(static_cast<std::size_t>(std::max(1, sampleRate * kFrameMs / 1000))) {}

bool BargeIn::Feed(std::span<const std::int16_t> samples, bool programSpeaking,
                   std::optional<double> playerDbfs) {
    bool began = false;
    for (const std::int16_t sample : samples) {
        frameSquares_ += static_cast<double>(sample) * sample;
        if (++inFrame_ == frameSamples_) {
            began = EndFrame(programSpeaking, playerDbfs) || began;
        }
    }
    return began;
}

bool BargeIn::EndFrame(bool programSpeaking, std::optional<double> playerDbfs) {
    const double meanSquare = frameSquares_ / static_cast<double>(inFrame_);
    inFrame_ = 0;
    frameSquares_ = 0;
    if (!programSpeaking) {
        loudMs_ = 0;
        fired_ = false;
        return false;
    }
    spokenMs_ = std::min(settings_.settleMs, spokenMs_ + kFrameMs);
    const double threshold = playerDbfs ? *playerDbfs - settings_.belowPlayerDb : settings_.unknownDbfs;
    loudMs_ = DbfsOfMeanSquare(meanSquare) >= threshold ? loudMs_ + kFrameMs : 0;
    if (fired_ || spokenMs_ < settings_.settleMs || loudMs_ < settings_.loudMs) {
        return false;
    }
    fired_ = true;
    return true;
}

} // namespace dorva::voice
