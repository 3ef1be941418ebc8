// The real engines against a private PulseAudio server (run by with-pulse.sh): a command played into
// the microphone arrives as a recognition on the user-interface thread, table talk as a false
// recognition, the sound level only while asked for, and the program never takes its own voice for a
// command (its voice reaching the speaker is program_e2e.sh's check). Every wait is bounded.
#include "data/State.h"
#include "platform/Seams.h"
#include "voice/Grammar.h"
#include "voice/SpeechSetup.h"
#include "voice/State.h"
#include "voice/VoiceLessons.h"
#include "voice/engine/SpeechEngines.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <thread>
#include <unistd.h>

using namespace dorva;
using namespace std::chrono_literals;

namespace {

const std::filesystem::path kScratch =
    std::filesystem::temp_directory_path() / ("dorva-live-" + std::to_string(::getpid()));

bool Shell(const std::string& command) {
    return std::system(("timeout 60 " + command).c_str()) == 0;
}

// The phrase synthesised, as the bench does, and played into the microphone.
void PlayIntoMicrophone(const std::string& text) {
    const std::filesystem::path file = kScratch / (std::to_string(std::hash<std::string>{}(text)) + ".wav");
    ASSERT_TRUE(Shell("espeak-ng -v en-us -w " + file.string() + " '" + text + "'"));
    ASSERT_TRUE(Shell("paplay --device=micsink " + file.string() + " &"));
}

template <typename Done> bool RunEventsUntil(Done done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(5ms);
    }
    return done();
}

class LiveEngines : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr) << "run through with-pulse.sh";
        voice::ResetState();
        data::gProgramFolder = std::filesystem::path(std::getenv("DORVA_TEST_BINARY_DIR")) / "bin"; // shipped
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
            recognized_.push_back(r.ruleName);
            onUiThread_ = onUiThread_ && QThread::currentThread() == QCoreApplication::instance()->thread();
        };
        voice::gRecoContext->onFalseRecognition = [this](const platform::RecoResult& r) {
            falseRecognitions_ += " \"" + r.phrase + "\"";
        };
        voice::gRecoContext->onAudioLevel = [this](int level) {
            levels_.push_back(level);
        };
        // Nobody speaks in the first second after start-up, while the recogniser settles.
        RunEventsUntil([] { return false; }, 1500ms);
    }

    // Says the phrase into the microphone until it is obeyed, three times at most, as a player says
    // again what was not understood. Of the activation's phrases "roll for activation" is the one
    // this voice says best through the sound server: what is tested here is the way a command takes,
    // the benchmark measures how often it is heard.
    void SayUntilObeyed(const std::string& phrase = "roll for activation",
                        const std::string& rule = "activationroll") {
        for (int attempt = 0; attempt < 3 && recognized_.empty(); ++attempt) {
            const std::size_t refused = falseRecognitions_.size();
            PlayIntoMicrophone(phrase);
            RunEventsUntil(
                [this, refused] { return !recognized_.empty() || falseRecognitions_.size() > refused; }, 15s);
        }
        EXPECT_EQ(recognized_, std::vector<std::string>{rule}) << falseRecognitions_;
    }

    std::unique_ptr<platform::SpeechPlatform> platform_;
    std::vector<std::string> recognized_;
    std::string falseRecognitions_; // what each was heard as
    std::vector<int> levels_;
    bool onUiThread_ = true;
};

// Also the first command after start-up: the listener has heard nothing before it. The sound level
// comes while asked for.
TEST_F(LiveEngines, ACommandArrivesAsARecognitionOnTheUserInterfaceThread) {
    Listen();
    voice::AddAudioLevelInterest();
    SayUntilObeyed();
    EXPECT_TRUE(onUiThread_);
    ASSERT_FALSE(levels_.empty());
    EXPECT_GT(*std::max_element(levels_.begin(), levels_.end()), 30);
    // The echo canceller leaves the player's speech as it is: no gain control, no noise suppression.
    EXPECT_TRUE(Shell("pactl list modules short | grep module-echo-cancel | "
                      "grep -q 'analog_gain_control=0 digital_gain_control=0 noise_suppression=0'"));
}

// Nobody asked for the sound level here.
TEST_F(LiveEngines, TableTalkArrivesAsAFalseRecognition) {
    Listen();
    PlayIntoMicrophone("I think the squad in the woods is going to break");
    EXPECT_TRUE(RunEventsUntil([this] { return !falseRecognitions_.empty(); }, 15s));
    EXPECT_TRUE(recognized_.empty());
    EXPECT_TRUE(levels_.empty());
}

// The program's voice played straight into the microphone: a command it says is not obeyed, and a
// command the player says after it is.
TEST_F(LiveEngines, TheProgramDoesNotTakeItsOwnVoiceForACommand) {
    ASSERT_TRUE(Shell("pactl set-default-sink micsink"));
    ASSERT_EQ(voice::InitVoice(), 1) << "error " << voice::TTSError;
    Listen();
    int spokenOver = 0; // its own words are not taken for the player's either
    voice::gRecoContext->onSpokenOver = [&spokenOver] {
        ++spokenOver;
    };
    voice::gVoice->Speak("activation roll", 1);
    RunEventsUntil([] { return false; }, 4s);
    EXPECT_TRUE(recognized_.empty());
    EXPECT_EQ(spokenOver, 0);
    EXPECT_EQ(falseRecognitions_, "");
    SayUntilObeyed();
}

// Switched on while listening: a command alone is no longer one, the same after "Dorva" is, and so is
// the command said after "Dorva" alone and a pause.
TEST_F(LiveEngines, WithTheWakeWordOnlyWhatFollowsDorvaIsACommand) {
    Listen();
    ASSERT_EQ(voice::SetWakeWord(true), 0);
    PlayIntoMicrophone("activation roll");
    EXPECT_TRUE(RunEventsUntil([this] { return !falseRecognitions_.empty(); }, 15s));
    EXPECT_TRUE(recognized_.empty());
    SayUntilObeyed("Dorva, roll for activation");
    recognized_.clear();
    int woken = 0;
    voice::gRecoContext->onWakeWord = [&woken] {
        ++woken;
    };
    for (int attempt = 0; attempt < 3 && recognized_.empty(); ++attempt) {
        const int before = woken;
        std::size_t refused = falseRecognitions_.size();
        PlayIntoMicrophone("Dorva");
        RunEventsUntil([&] { return woken > before || falseRecognitions_.size() > refused; }, 15s);
        if (woken > before) {
            refused = falseRecognitions_.size();
            PlayIntoMicrophone("roll for activation");
            RunEventsUntil([&] { return !recognized_.empty() || falseRecognitions_.size() > refused; }, 15s);
        }
    }
    EXPECT_GT(woken, 0);
    EXPECT_EQ(recognized_, std::vector<std::string>{"activationroll"}) << falseRecognitions_;
    // The command followed in time: the wait did not run out.
    int expired = 0;
    voice::gRecoContext->onWakeWordExpired = [&expired] {
        ++expired;
    };
    RunEventsUntil([] { return false; }, 500ms);
    EXPECT_EQ(expired, 0);
    // "Dorva" and nothing after it: the program is told when the wait is over, not before.
    const int before = woken;
    for (int attempt = 0; attempt < 3 && woken == before; ++attempt) {
        const std::size_t refused = falseRecognitions_.size();
        PlayIntoMicrophone("Dorva");
        RunEventsUntil([&] { return woken > before || falseRecognitions_.size() > refused; }, 15s);
    }
    ASSERT_GT(woken, before) << falseRecognitions_;
    const auto wokenAt = std::chrono::steady_clock::now();
    EXPECT_TRUE(RunEventsUntil([&] { return expired > 0; }, 10s));
    EXPECT_GE(std::chrono::steady_clock::now() - wokenAt,
              std::chrono::seconds(voice::kFollowUpSeconds) - 500ms);
}

// While the program is silent, "stop talking" would change nothing, and is heard as itself rather
// than as the start that would change something.
TEST_F(LiveEngines, WhileSilentStopTalkingIsHeardAsItself) {
    Listen();
    voice::gSpeak = 0;
    SayUntilObeyed("stop talking", "stoptalking");
}

// The voice lessons through the microphone, with the wake word on: their phrases are heard without
// it and obeyed as nothing; once learnt from, the listener with the player's pronunciations obeys
// commands again, and with the wake word.
TEST_F(LiveEngines, VoiceLessonsAreHeardInTurnAndCommandsComeBackAfterThem) {
    Listen();
    ASSERT_EQ(voice::SetWakeWord(true), 0);
    std::vector<std::pair<int, bool>> heard;
    voice::gRecoContext->onLessonHeard = [&heard](int lesson, bool understood) {
        heard.emplace_back(lesson, understood);
    };
    std::optional<platform::LessonsResult> learnt;
    voice::gRecoContext->onLessonsLearnt = [&learnt](const platform::LessonsResult& result) {
        learnt = result;
    };
    const auto say = [this, &heard](int lesson) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            const std::size_t before = heard.size();
            PlayIntoMicrophone(std::string(voice::kLessonPhrases[lesson].words));
            RunEventsUntil([&heard, before] { return heard.size() > before; }, 15s);
            if (heard.size() > before && heard.back() == std::pair{lesson, true}) {
                return true;
            }
        }
        return false;
    };
    ASSERT_EQ(voice::gRecoContext->BeginLessons(), 0);
    ASSERT_TRUE(say(0));
    ASSERT_TRUE(say(1));
    // The player slipped on the second phrase: it is taken again, and the lessons go on from there.
    EXPECT_FALSE(voice::gRecoContext->RepeatLesson(3)); // not reached yet
    ASSERT_TRUE(voice::gRecoContext->RepeatLesson(1));
    for (int lesson = 1; lesson < static_cast<int>(std::size(voice::kLessonPhrases)); ++lesson) {
        ASSERT_TRUE(say(lesson)) << voice::kLessonPhrases[lesson].words;
    }
    ASSERT_TRUE(RunEventsUntil([&learnt] { return learnt.has_value(); }, 60s));
    EXPECT_FALSE(voice::gRecoContext->RepeatLesson(0)); // the lessons are over
    EXPECT_EQ(learnt->error, 0) << learnt->detail;
    EXPECT_EQ(voice::FormatPronunciations(voice::ParsePronunciations(learnt->pronunciations)),
              learnt->pronunciations);
    EXPECT_TRUE(recognized_.empty());
    EXPECT_EQ(falseRecognitions_, "");
    SayUntilObeyed("Dorva, roll for activation");
}

// The audio server goes away while the program listens, and comes back: the failure says which
// piece is missing, the recovery follows without a new set-up, and a command is heard again.
TEST_F(LiveEngines, AServerThatGoesAndComesBackIsReportedAndHeardAgain) {
    Listen();
    std::vector<long> events; // each failure's error; 0 for a recovery
    voice::gRecoContext->onFailure = [&events](long error) {
        events.push_back(error);
    };
    voice::gRecoContext->onRecovery = [&events] {
        events.push_back(0);
    };
    const std::string address = std::getenv("PULSE_SERVER"); // the server's folder, as with-pulse.sh gave it
    const std::string folder = std::filesystem::path(address.substr(address.find(':') + 1)).parent_path();
    ASSERT_TRUE(Shell("kill $(cat " + folder + "/server.pid)"));
    ASSERT_TRUE(RunEventsUntil([&events] { return !events.empty(); }, 15s));
    EXPECT_EQ(events, std::vector<long>{platform::kErrNoAudioServer});
    ASSERT_TRUE(Shell("bash -c 'source \"$DORVA_TEST_PULSE_SCRIPT\" && pulse_start " + folder + "'"));
    ASSERT_TRUE(RunEventsUntil([&events] { return events.size() > 1; }, 15s));
    EXPECT_EQ(events, (std::vector<long>{platform::kErrNoAudioServer, 0}));
    RunEventsUntil([] { return false; }, 1s);
    SayUntilObeyed();
}

} // namespace

// The application the recogniser delivers to, around the tests; the scratch folder of the recordings.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    std::filesystem::create_directories(kScratch);
    const int failed = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(kScratch, ignored);
    return failed;
}
