// Recordings for the recognition tool: every common PCM and float layout reads as the same mono
// signal, and a file that is no usable WAVE says why.
#include "voice/WavFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace dorva::voice;

namespace {

// The value's bytes, least significant first: the first `bytes` of an integer, or a whole float.
template <typename T> std::string Le(T value, std::size_t bytes = sizeof(T)) {
    std::string out(sizeof(T), '\0');
    std::memcpy(out.data(), &value, sizeof(T));
    return out.substr(0, bytes);
}

std::string Chunk(const std::string& id, const std::string& body) {
    return id + Le(static_cast<std::uint32_t>(body.size())) + body + std::string(body.size() % 2, '\0');
}

// A format chunk at 22050 Hz; the extensible tag 0xFFFE carries the real one in its sub-format.
std::string Format(std::uint16_t tag, std::uint16_t channels, std::uint16_t bits,
                   std::uint32_t rate = 22050) {
    const auto block = static_cast<std::uint16_t>(channels * bits / 8);
    std::string body = Le(tag) + Le(channels) + Le(rate) + Le(rate * block) + Le(block) + Le(bits);
    if (tag == 0xFFFE) {
        body += Le<std::uint16_t>(22) + Le(bits) + Le(0u) + Le<std::uint16_t>(1) + std::string(14, '\x11');
    }
    return Chunk("fmt ", body);
}

std::string Wave(const std::string& chunks) {
    return "RIFF" + Le(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

TEST(WavFile, EveryLayoutReadsAsTheSameMonoSignal) {
    using Samples = std::vector<float>;
    const std::string half16 = Le<std::uint16_t>(0x4000);
    // clang-format off
    for (const auto& [name, bytes, channels, mono] : {
             std::tuple{"8 bits", Wave(Format(1, 1, 8) + Chunk("data", "\x80\xC0\x40")), 1, Samples{0, 0.5f, -0.5f}},
             {"16 bits", Wave(Format(1, 1, 16) + Chunk("data", half16 + Le<std::uint16_t>(0x8000))), 1, Samples{0.5f, -1}},
             {"24 bits", Wave(Format(1, 1, 24) + Chunk("data", Le(0x400000u, 3) + Le(0xC00000u, 3))), 1, Samples{0.5f, -0.5f}},
             {"32 bits", Wave(Format(1, 1, 32) + Chunk("data", Le(0x40000000u) + Le(0xC0000000u))), 1, Samples{0.5f, -0.5f}},
             {"float", Wave(Format(3, 1, 32) + Chunk("data", Le(0.25f) + Le(-0.75f))), 1, Samples{0.25f, -0.75f}},
             {"double", Wave(Format(3, 1, 64) + Chunk("data", Le(0.25) + Le(-0.75))), 1, Samples{0.25f, -0.75f}},
             {"extensible", Wave(Format(0xFFFE, 1, 16) + Chunk("data", half16)), 1, Samples{0.5f}},
             {"stereo averaged", Wave(Format(1, 2, 16) + Chunk("data", half16 + Le<std::uint16_t>(0))), 2, Samples{0.25f}},
             // A chunk of odd length is padded to even before the data chunk.
             {"odd chunk first", Wave(Format(1, 1, 16) + Chunk("LIST", "abc") + Chunk("data", half16)), 1, Samples{0.5f}},
             // A recorder writing to a pipe declares the largest size it can; half a frame at the end is dropped.
             {"streamed", Wave(Format(1, 1, 16) + "data" + Le(0xFFFFFFFFu) + half16 + half16 + "\x01"), 1, Samples{0.5f, 0.5f}}}) {
        // clang-format on
        const WavReading reading = ParseWav(bytes);
        ASSERT_TRUE(reading.audio) << name << ": " << reading.error;
        EXPECT_EQ(reading.audio->sampleRate, 22050) << name;
        EXPECT_EQ(reading.audio->channels, channels) << name;
        ASSERT_EQ(reading.audio->mono.size(), mono.size()) << name;
        for (std::size_t i = 0; i < mono.size(); ++i) {
            EXPECT_NEAR(reading.audio->mono[i], mono[i], 1e-4) << name << " " << i;
        }
    }
}

TEST(WavFile, AFileThatIsNoUsableWaveSaysWhy) {
    // clang-format off
    for (const auto& [bytes, says] : {
             std::pair{std::string(), "not a RIFF WAVE"}, {"RIFF" + Le(4u) + "AVI ", "not a RIFF WAVE"},
             {Wave(""), "no format chunk"}, {Wave(Format(1, 1, 16)), "no data chunk"},
             {Wave(Chunk("data", "") + Format(1, 1, 16)), "before the format"},
             {Wave(Chunk("fmt ", Le(1u)) + Chunk("data", "")), "format chunk is too short"},
             {Wave(Format(1, 1, 12) + Chunk("data", "")), "not supported"},
             {Wave(Format(1, 0, 16) + Chunk("data", "")), "0 channels"}}) {
        // clang-format on
        const WavReading reading = ParseWav(bytes);
        EXPECT_FALSE(reading.audio) << says;
        EXPECT_NE(reading.error.find(says), std::string::npos) << reading.error;
    }
    EXPECT_NE(ReadWavFile("/nonexistent/take.wav").error.find("/nonexistent/take.wav"), std::string::npos);
}

} // namespace
