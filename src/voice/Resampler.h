#pragma once
// Band-limited sample-rate conversion for recordings handed to the recogniser, which hears 16 kHz
// only. Dropping or repeating samples would fold everything above the new Nyquist frequency back into
// the speech band (a 10 kHz hiss of a 44.1 kHz recording lands at 6 kHz), so the signal goes through
// a windowed-sinc low-pass at the lower of the two rates' Nyquist frequencies.

#include <cstdint>
#include <span>
#include <vector>

namespace dorva::voice {

// The samples at outputRate: floor(size * outputRate / inputRate) of them. The same rate gives the
// samples back unchanged.
std::vector<float> Resample(std::span<const float> input, int inputRate, int outputRate);

// A sample of -1 to 1 as 16-bit PCM, rounded, and clipped at full scale.
std::int16_t ToPcm16(float sample);

} // namespace dorva::voice
