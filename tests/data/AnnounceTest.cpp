#include "data/Announce.h"
#include "shell/ProgramState.h"
#include "support/FakeChannels.h"

#include <gtest/gtest.h>

using namespace dorva::data;

namespace {

class Channels : public ::testing::Test {
protected:
    void SetUp() override {
        dorva::ResetProgramState();
        fakes_.Install("05/12/2026 21:40:00");
        voice_ = fakes_.voice;
        gSpeak = 0;
        gVoiceAvailable = 0;
    }
    void TearDown() override { dorva::ResetProgramState(); }
    std::string LogContent() const { return fakes_.Log(); }

    dorva::test::FakeChannels fakes_{"dorva-announce"};
    dorva::test::RecordingVoice* voice_ = nullptr;
    dorva::test::FakeActivationWindow& window_ = fakes_.window;
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
    gLogFileName = (fakes_.logFile.parent_path() / "dorva-no-such-folder" / "log.txt").string();
    EXPECT_FALSE(WriteLogEntry("a"));
    EXPECT_FALSE(WriteLogEntry("b"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], gLogFileName);
    gLogFileName = (fakes_.logFile.parent_path() / "dorva-other-missing" / "log.txt").string();
    EXPECT_FALSE(WriteLogEntry("c"));
    EXPECT_EQ(reports.size(), 2u);
}

} // namespace
