#include "data/Announce.h"
#include "voice/SpeechState.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace dorva::data;
namespace voice = dorva::voice;

namespace {

class RecordingVoice : public voice::Voice {
public:
    std::vector<std::pair<std::string, int>> spoken;
    long Speak(const std::string& text, int flags) override {
        spoken.emplace_back(text, flags);
        return 1;
    }
};

class FakeWindow : public ActivationWindowChannel {
public:
    bool visible = false;
    std::string text = "hint";
    bool IsVisible() override { return visible; }
    void SetText(const std::string& t) override { text = t; }
};

class Channels : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAnnounce();
        voice::ResetSpeechState();
        auto v = std::make_unique<RecordingVoice>();
        voice_ = v.get();
        voice::gVoice = std::move(v);
        SetActivationWindowChannel(&window_);
        SetLogClock([] { return std::string("05/12/2026 21:40:00"); });
        dir_ = std::filesystem::temp_directory_path() / ("dorva-announce-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        gLogFileName = (dir_ / "log.txt").string();
    }
    void TearDown() override {
        SetActivationWindowChannel(nullptr);
        ResetAnnounce();
        voice::ResetSpeechState();
        std::filesystem::remove_all(dir_);
    }
    std::string LogContent() const {
        std::ifstream in(gLogFileName, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    RecordingVoice* voice_ = nullptr;
    FakeWindow window_;
    std::filesystem::path dir_;
};

TEST_F(Channels, SpeechNeedsBothTheWishAndTheVoiceAndQueuesInOrder) {
    for (const auto& [speak, available] : {std::pair{0, 0}, {1, 0}, {0, 1}}) {
        gLastSpokenText = "earlier";
        gSpeak = speak;
        gVoiceAvailable = available;
        SpeakText("x", kSpeakAsync);
        EXPECT_TRUE(voice_->spoken.empty());
        EXPECT_EQ(gLastSpokenText, "earlier");
    }
    gSpeak = 1;
    gVoiceAvailable = 1;
    SpeakText("first", kSpeakAsync);
    SpeakText("<spell>A</spell>", kSpeakAsyncMarkup);
    EXPECT_EQ(voice_->spoken,
              (std::vector<std::pair<std::string, int>>{{"first", 1}, {"<spell>A</spell>", 9}}));
    EXPECT_EQ(gLastSpokenText, "<spell>A</spell>");
}

TEST_F(Channels, ActivationWindowTakesTextsOnlyWhileVisibleWithReturnsAsTwoBlanks) {
    ShowInActivationWindow("lost");
    EXPECT_EQ(window_.text, "hint");
    window_.visible = true;
    ShowInActivationWindow("a\rb");
    EXPECT_EQ(window_.text, "a\rb");
    ShowActivationText("4-6-7\r2-3-7 (x2 DR=5/5)\r\n\r");
    EXPECT_EQ(window_.text, "4-6-7  2-3-7 (x2 DR=5/5)  \n  ");
}

TEST_F(Channels, LogLinesCarryTheStampAndLoseOnlyTheClosingCarriageReturns) {
    for (const char* entry : {"(S? removed)", "a\r\nb\rc\r\r", "one\r", "\rx"}) {
        EXPECT_TRUE(WriteLogEntry(entry));
    }
    const std::string stamp = "05/12/2026 21:40:00: ";
    EXPECT_EQ(LogContent(),
              stamp + "(S? removed)\r\n" + stamp + "a\r\nb\rc\r\n" + stamp + "one\r\r\n" + stamp + "\rx\r\n");
    EXPECT_EQ(CutLogEntry("line\r\r"), "line");
}

TEST_F(Channels, AnUnwritableLogIsReportedOncePerFile) {
    std::vector<std::string> reports;
    SetLogFailureHandler([&](const std::string& path) { reports.push_back(path); });
    gLogFileName = (dir_ / "no-such-folder" / "log.txt").string();
    EXPECT_FALSE(WriteLogEntry("a"));
    EXPECT_FALSE(WriteLogEntry("b"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], gLogFileName);
    gLogFileName = (dir_ / "other-missing" / "log.txt").string();
    EXPECT_FALSE(WriteLogEntry("c"));
    EXPECT_EQ(reports.size(), 2u);
}

} // namespace
