#pragma once
// Reading a RIFF WAVE recording for the recognition tool: integer PCM of 8, 16, 24 or 32 bits and
// IEEE float of 32 or 64 bits, any sample rate and channel count, mixed down to one channel.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorva::voice {

struct WavAudio {
    int sampleRate = 0;
    int channels = 0;        // of the file; the samples below are already mixed down
    std::vector<float> mono; // -1 to 1
};

struct WavReading {
    std::optional<WavAudio> audio;
    std::string error; // why not, when audio is empty
};

// A data chunk longer than the bytes present (a recording streamed to a pipe declares the largest
// size it can) is read as far as the bytes go.
WavReading ParseWav(std::string_view bytes);
WavReading ReadWavFile(const std::filesystem::path& file);

} // namespace dorva::voice
