// The real engines against a private PulseAudio server (run by with-pulse.sh): what the program says
// reaches the speaker, a command played into the microphone arrives as a recognition on the
// user-interface thread, table talk as a false recognition, the sound level only while asked for,
// the program never takes its own voice for a command, and a recognition that comes while a handler
// runs a nested event loop waits for that handler. Every wait is bounded.
#include "support/DataFiles.h"
#include "voice/SpeechSetup.h"
#include "voice/State.h"
#include "platform/Seams.h"
#include "voice/engine/SpeechEngines.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

using namespace dorva;
using namespace std::chrono_literals;

namespace {

std::filesystem::path Scratch() {
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / ("dorva-live-" + std::to_string(::getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

class Application : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "speech_engine_e2e";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override {
        app_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(Scratch(), ignored);
    }

private:
    std::unique_ptr<QCoreApplication> app_;
};

const auto* const kApplication = ::testing::AddGlobalTestEnvironment(new Application);

bool Shell(const std::string& command) {
    return std::system(("timeout 60 " + command).c_str()) == 0;
}

// A phrase synthesised once, as the bench does, to be played into the microphone.
std::filesystem::path Phrase(const std::string& text) {
    std::string name;
    for (const char c : text) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    const std::filesystem::path file = Scratch() / (name + ".wav");
    if (!std::filesystem::exists(file)) {
        EXPECT_TRUE(Shell("espeak-ng -v en-us -w " + file.string() + " '" + text + "'"));
    }
    return file;
}

void PlayIntoMicrophone(const std::string& text) {
    const std::string command = "paplay --device=micsink " + Phrase(text).string() + " &";
    ASSERT_EQ(std::system(command.c_str()), 0);
}

template <typename Done> bool RunEventsUntil(Done done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(5ms);
    }
    return done();
}

std::string ShippedGrammar() {
    std::ifstream in(std::filesystem::path(std::getenv("DORVA_TEST_BINARY_DIR")) / "bin" / "DORVA_Support" /
                     "dorva.cfg");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The largest absolute sample of a 16-bit WAV file past its 44-byte header.
int Peak(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int peak = 0;
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2) {
        const auto s = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak;
}

class LiveEngines : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr) << "run through with-pulse.sh";
        voice::ResetState();
        folder_.Write("dorva.cfg", ShippedGrammar());
        platform_ = voice::engine::CreateSpeechEngines();
        platform::SetSpeechPlatform(platform_.get());
    }
    void TearDown() override {
        voice::ResetState();
        platform::SetSpeechPlatform(nullptr);
        platform_.reset();
        Shell("pactl set-default-sink speaker");
    }

    void Listen() {
        voice::gRecoAvailable = voice::InitReco();
        ASSERT_EQ(voice::gRecoAvailable, 1) << "error " << voice::SRError;
        voice::gRecoContext->onRecognition = [this](const platform::RecoResult& r) {
            recognized_.push_back(r);
            onUiThread_ = onUiThread_ && QThread::currentThread() == QCoreApplication::instance()->thread();
        };
        voice::gRecoContext->onFalseRecognition = [this](const platform::RecoResult& r) {
            falseRecognitions_.push_back(r);
        };
        voice::gRecoContext->onAudioLevel = [this](int level) {
            levels_.push_back(level);
        };
        // Nobody speaks in the first second after start-up, while the recogniser settles.
        RunEventsUntil([] { return false; }, 1500ms);
    }

    std::string FalseRecognitions() const {
        std::string heard;
        for (const platform::RecoResult& r : falseRecognitions_) {
            heard += " \"" + r.phrase + "\"";
        }
        return std::to_string(falseRecognitions_.size()) + " false recognitions:" + heard;
    }

    test::SupportFolder folder_;
    std::unique_ptr<platform::SpeechPlatform> platform_;
    std::vector<platform::RecoResult> recognized_;
    std::vector<platform::RecoResult> falseRecognitions_;
    std::vector<int> levels_;
    bool onUiThread_ = true;
};

TEST_F(LiveEngines, WhatTheProgramSaysReachesTheSpeaker) {
    ASSERT_EQ(voice::InitVoice(), 1) << "error " << voice::TTSError;
    const std::filesystem::path recording = Scratch() / "speaker.wav";
    ASSERT_EQ(std::system(("parec --latency-msec=20 --device=speaker.monitor --file-format=wav " +
                           recording.string() + " & echo $! > " + (Scratch() / "parec.pid").string())
                              .c_str()),
              0);
    std::this_thread::sleep_for(500ms);
    voice::gVoice->Speak("On <spell>A</spell> through G G you rolled 7", 9);
    std::this_thread::sleep_for(4s);
    Shell("sh -c 'kill -INT $(cat " + (Scratch() / "parec.pid").string() + ")'");
    std::this_thread::sleep_for(500ms);
    EXPECT_GT(Peak(recording), 1000);
}

// Also the first command after start-up: the listener has heard nothing before it.
TEST_F(LiveEngines, ACommandArrivesAsARecognitionOnTheUserInterfaceThread) {
    Listen();
    PlayIntoMicrophone("activation roll");
    ASSERT_TRUE(RunEventsUntil([this] { return !recognized_.empty(); }, 15s)) << FalseRecognitions();
    EXPECT_EQ(recognized_[0].ruleName, "activationroll");
    EXPECT_TRUE(onUiThread_);
    EXPECT_TRUE(falseRecognitions_.empty()) << FalseRecognitions();
}

TEST_F(LiveEngines, TableTalkArrivesAsAFalseRecognition) {
    Listen();
    PlayIntoMicrophone("I think the squad in the woods is going to break");
    EXPECT_TRUE(RunEventsUntil([this] { return !falseRecognitions_.empty(); }, 15s));
    EXPECT_TRUE(recognized_.empty());
}

TEST_F(LiveEngines, TheSoundLevelComesOnlyWhileAskedFor) {
    Listen();
    PlayIntoMicrophone("table six delta");
    RunEventsUntil([this] { return !recognized_.empty(); }, 15s);
    EXPECT_TRUE(levels_.empty());

    voice::AddAudioLevelInterest();
    PlayIntoMicrophone("roll the range");
    RunEventsUntil([this] { return recognized_.size() >= 2; }, 15s);
    ASSERT_FALSE(levels_.empty());
    EXPECT_GT(*std::max_element(levels_.begin(), levels_.end()), 30);

    voice::RemoveAudioLevelInterest();
    RunEventsUntil([] { return false; }, 300ms); // levels already on their way
    levels_.clear();
    PlayIntoMicrophone("roll the range");
    RunEventsUntil([this] { return recognized_.size() >= 3; }, 15s);
    EXPECT_TRUE(levels_.empty());
}

// The program's voice played straight into the microphone: a command it says is not obeyed, and a
// command the player says after it is.
TEST_F(LiveEngines, TheProgramDoesNotTakeItsOwnVoiceForACommand) {
    ASSERT_TRUE(Shell("pactl set-default-sink micsink"));
    ASSERT_EQ(voice::InitVoice(), 1) << "error " << voice::TTSError;
    Listen();
    voice::gVoice->Speak("activation roll", 1);
    RunEventsUntil([] { return false; }, 4s);
    EXPECT_TRUE(recognized_.empty()) << recognized_[0].ruleName;
    EXPECT_TRUE(falseRecognitions_.empty()) << FalseRecognitions();

    PlayIntoMicrophone("activation roll");
    ASSERT_TRUE(RunEventsUntil([this] { return !recognized_.empty(); }, 15s)) << FalseRecognitions();
    EXPECT_EQ(recognized_[0].ruleName, "activationroll");
}

TEST_F(LiveEngines, ARecognitionDuringAHandlersNestedEventLoopWaitsForIt) {
    Listen();
    bool inHandler = false;
    bool reentered = false;
    std::vector<std::string> order;
    voice::gRecoContext->onRecognition = [&, this](const platform::RecoResult& r) {
        recognized_.push_back(r);
        reentered = reentered || inHandler;
        inHandler = true;
        order.push_back(r.ruleName);
        if (order.size() == 1) {
            // What a message box does: an event loop of its own until the player answers.
            PlayIntoMicrophone("table six delta");
            QEventLoop nested;
            QTimer::singleShot(6s, &nested, &QEventLoop::quit);
            nested.exec();
            order.push_back("handler returns");
        }
        inHandler = false;
    };
    PlayIntoMicrophone("activation roll");
    ASSERT_TRUE(RunEventsUntil([&] { return order.size() >= 3; }, 25s)) << FalseRecognitions();
    EXPECT_FALSE(reentered);
    EXPECT_EQ(order, (std::vector<std::string>{"activationroll", "handler returns", "table6d"}));
}

} // namespace
