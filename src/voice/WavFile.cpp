#include "voice/WavFile.h"

#include "data/SupportFolder.h"

#include <cstdint>
#include <cstring>

namespace dorva::voice {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t Little(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

WavReading Failure(std::string message) {
    WavReading reading;
    reading.error = std::move(message);
    return reading;
}

// One sample of the given encoding at the start of bytes, scaled to -1..1.
double Sample(const char* bytes, std::uint16_t format, std::uint16_t bits) {
    const std::string_view view(bytes, bits / 8);
    if (format == kFormatFloat) {
        if (bits == 32) {
            float f = 0;
            std::memcpy(&f, bytes, sizeof f);
            return f;
        }
        double d = 0;
        std::memcpy(&d, bytes, sizeof d);
        return d;
    }
    switch (bits) {
    case 8: // unsigned, centred on 128
        return (static_cast<double>(static_cast<unsigned char>(bytes[0])) - 128.0) / 128.0;
    case 16:
        return static_cast<std::int16_t>(Little(view, 0, 2)) / 32768.0;
    case 24: {
        std::uint32_t raw = Little(view, 0, 3);
        const std::int32_t value = static_cast<std::int32_t>(raw << 8) / 256; // sign-extend
        return value / 8388608.0;
    }
    default:
        return static_cast<std::int32_t>(Little(view, 0, 4)) / 2147483648.0;
    }
}

} // namespace

WavReading ParseWav(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return Failure("not a RIFF WAVE file");
    }
    std::uint16_t format = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t bits = 0;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t declared = Little(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            if (declared < 16 || body + declared > bytes.size()) {
                return Failure("the format chunk is too short");
            }
            format = static_cast<std::uint16_t>(Little(bytes, body, 2));
            channels = static_cast<std::uint16_t>(Little(bytes, body + 2, 2));
            rate = Little(bytes, body + 4, 4);
            bits = static_cast<std::uint16_t>(Little(bytes, body + 14, 2));
            if (format == kFormatExtensible) {
                if (declared < 40) {
                    return Failure("the extensible format chunk is too short");
                }
                format = static_cast<std::uint16_t>(Little(bytes, body + 24, 2)); // the sub-format
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                return Failure("the data chunk comes before the format chunk");
            }
            const bool pcm = format == kFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
            const bool floating = format == kFormatFloat && (bits == 32 || bits == 64);
            if (!pcm && !floating) {
                return Failure("format " + std::to_string(format) + " with " + std::to_string(bits) +
                               " bits a sample is not supported (integer PCM 8/16/24/32, float 32/64)");
            }
            if (channels == 0 || rate == 0 || rate > 768000) {
                return Failure("the format chunk gives " + std::to_string(channels) + " channels at " +
                               std::to_string(rate) + " Hz");
            }
            const std::size_t available = std::min(declared, bytes.size() - body);
            const std::size_t frameBytes = static_cast<std::size_t>(channels) * (bits / 8);
            const std::size_t frames = available / frameBytes;
            WavAudio audio;
            audio.sampleRate = static_cast<int>(rate);
            audio.channels = channels;
            audio.mono.resize(frames);
            for (std::size_t f = 0; f < frames; ++f) {
                double sum = 0;
                for (std::size_t c = 0; c < channels; ++c) {
                    sum += Sample(bytes.data() + body + f * frameBytes + c * (bits / 8), format, bits);
                }
                audio.mono[f] = static_cast<float>(sum / channels);
            }
            WavReading reading;
            reading.audio = std::move(audio);
            return reading;
        }
        if (declared > bytes.size() - body) {
            break;
        }
        at = body + declared + (declared & 1); // chunks are padded to an even length
    }
    return Failure(haveFormat ? "no data chunk" : "no format chunk");
}

WavReading ReadWavFile(const std::filesystem::path& file) {
    std::string bytes;
    if (!data::ReadFileBytes(file, bytes)) {
        return Failure("cannot read " + file.string());
    }
    return ParseWav(bytes);
}

} // namespace dorva::voice
