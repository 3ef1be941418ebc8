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

std::string Le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

std::string Chunk(const std::string& id, const std::string& body) {
    std::string chunk = id + Le(static_cast<std::uint32_t>(body.size()), 4) + body;
    if (body.size() % 2) {
        chunk += '\0';
    }
    return chunk;
}

std::string Format(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    const std::uint16_t block = static_cast<std::uint16_t>(channels * bits / 8);
    std::string body =
        Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * block, 4) + Le(block, 2) + Le(bits, 2);
    if (tag == 0xFFFE) {
        // cbSize, valid bits, channel mask, then the sub-format GUID whose first two bytes are the tag.
        body += Le(22, 2) + Le(bits, 2) + Le(0, 4) + Le(1, 2) + std::string(14, '\x11');
    }
    return Chunk("fmt ", body);
}

std::string Wave(const std::string& chunks) {
    return "RIFF" + Le(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

std::string Float32(float f) {
    std::string out(4, '\0');
    std::memcpy(out.data(), &f, 4);
    return out;
}

std::string Float64(double d) {
    std::string out(8, '\0');
    std::memcpy(out.data(), &d, 8);
    return out;
}

struct Layout {
    const char* name;
    std::string bytes;
    int channels;
    std::vector<float> mono;
};

class Layouts : public ::testing::TestWithParam<Layout> {};

TEST_P(Layouts, ReadAsTheSameSignal) {
    const WavReading reading = ParseWav(GetParam().bytes);
    ASSERT_TRUE(reading.audio) << reading.error;
    EXPECT_EQ(reading.audio->sampleRate, 22050);
    EXPECT_EQ(reading.audio->channels, GetParam().channels);
    ASSERT_EQ(reading.audio->mono.size(), GetParam().mono.size());
    for (std::size_t i = 0; i < GetParam().mono.size(); ++i) {
        EXPECT_NEAR(reading.audio->mono[i], GetParam().mono[i], 1e-4) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Layouts,
    ::testing::Values(
        Layout{"Unsigned8",
               Wave(Format(1, 1, 22050, 8) + Chunk("data", std::string("\x80\xC0\x40", 3))),
               1,
               {0.0f, 0.5f, -0.5f}},
        Layout{"Signed16",
               Wave(Format(1, 1, 22050, 16) + Chunk("data", Le(0x4000, 2) + Le(0x8000, 2))),
               1,
               {0.5f, -1.0f}},
        Layout{"Signed24",
               Wave(Format(1, 1, 22050, 24) + Chunk("data", Le(0x400000, 3) + Le(0xC00000, 3))),
               1,
               {0.5f, -0.5f}},
        Layout{"Signed32",
               Wave(Format(1, 1, 22050, 32) + Chunk("data", Le(0x40000000, 4) + Le(0xC0000000, 4))),
               1,
               {0.5f, -0.5f}},
        Layout{"Float32",
               Wave(Format(3, 1, 22050, 32) + Chunk("data", Float32(0.25f) + Float32(-0.75f))),
               1,
               {0.25f, -0.75f}},
        Layout{"Float64",
               Wave(Format(3, 1, 22050, 64) + Chunk("data", Float64(0.25) + Float64(-0.75))),
               1,
               {0.25f, -0.75f}},
        Layout{"Extensible16", Wave(Format(0xFFFE, 1, 22050, 16) + Chunk("data", Le(0x4000, 2))), 1, {0.5f}},
        Layout{"StereoIsAveraged",
               Wave(Format(1, 2, 22050, 16) + Chunk("data", Le(0x4000, 2) + Le(0, 2))),
               2,
               {0.25f}},
        // A LIST chunk of odd length is padded to even before the data chunk.
        Layout{"OddChunkBeforeData",
               Wave(Format(1, 1, 22050, 16) + Chunk("LIST", "abc") + Chunk("data", Le(0x4000, 2))),
               1,
               {0.5f}},
        // A recorder writing to a pipe declares the largest data size it can.
        Layout{"StreamedDataSize",
               Wave(Format(1, 1, 22050, 16) + "data" + Le(0xFFFFFFFF, 4) + Le(0x4000, 2) + Le(0x4000, 2)),
               1,
               {0.5f, 0.5f}},
        Layout{"HalfAFrameAtTheEndIsDropped",
               Wave(Format(1, 1, 22050, 16) + "data" + Le(3, 4) + Le(0x4000, 2) + "\x01"),
               1,
               {0.5f}}),
    [](const ::testing::TestParamInfo<Layout>& row) { return std::string(row.param.name); });

struct Broken {
    const char* name;
    std::string bytes;
    const char* says;
};

class BrokenFiles : public ::testing::TestWithParam<Broken> {};

TEST_P(BrokenFiles, SayWhy) {
    const WavReading reading = ParseWav(GetParam().bytes);
    EXPECT_FALSE(reading.audio);
    EXPECT_NE(reading.error.find(GetParam().says), std::string::npos) << reading.error;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenFiles,
    ::testing::Values(Broken{"Empty", "", "not a RIFF WAVE"},
                      Broken{"NotRiff", "RIFX" + Le(4, 4) + "WAVE", "not a RIFF WAVE"},
                      Broken{"NotWave", "RIFF" + Le(4, 4) + "AVI ", "not a RIFF WAVE"},
                      Broken{"NoChunks", Wave(""), "no format chunk"},
                      Broken{"NoData", Wave(Format(1, 1, 22050, 16)), "no data chunk"},
                      Broken{"DataBeforeFormat", Wave(Chunk("data", Le(0, 2)) + Format(1, 1, 22050, 16)),
                             "before the format"},
                      Broken{"ShortFormat", Wave(Chunk("fmt ", Le(1, 2) + Le(1, 2)) + Chunk("data", "")),
                             "format chunk is too short"},
                      Broken{"Adpcm", Wave(Format(2, 1, 22050, 4) + Chunk("data", "")), "not supported"},
                      Broken{"TwelveBits", Wave(Format(1, 1, 22050, 12) + Chunk("data", "")),
                             "not supported"},
                      Broken{"NoChannels", Wave(Format(1, 0, 22050, 16) + Chunk("data", "")), "0 channels"},
                      Broken{"NoRate", Wave(Format(1, 1, 0, 16) + Chunk("data", "")), "at 0 Hz"}),
    [](const ::testing::TestParamInfo<Broken>& row) { return std::string(row.param.name); });

TEST(WavFile, AFileThatCannotBeReadNamesItself) {
    const WavReading reading = ReadWavFile("/nonexistent/take.wav");
    EXPECT_FALSE(reading.audio);
    EXPECT_NE(reading.error.find("/nonexistent/take.wav"), std::string::npos);
}

} // namespace
