// The real engines when a piece is missing: the program's own set-up (InitVoice, InitReco) fails with
// the program's error number for that piece, the engine's reason goes to standard error, and nothing
// ends the process or hangs. No audio server is needed: ctest points PulseAudio at a socket that does
// not exist, with autospawn off (CMakeLists.txt).
#include "platform/Seams.h"
#include "support/DataFiles.h"
#include "voice/SpeechSetup.h"
#include "voice/State.h"
#include "voice/engine/PlaybackGate.h"
#include "voice/engine/SpeechEngines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

using namespace dorva;

namespace {

class EngineSetup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DORVA_TEST_BINARY_DIR"), nullptr);
        ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr) << "run through ctest, which points it nowhere";
        data::gProgramFolder = std::filesystem::path(std::getenv("DORVA_TEST_BINARY_DIR")) / "bin"; // shipped
        voice::ResetState();
    }
    void TearDown() override {
        voice::ResetState();
        platform::SetSpeechPlatform(nullptr);
    }

    // The set-up step run on engines with these settings; the standard error it wrote.
    template <typename Step>
    std::string Run(Step step,
                    const voice::engine::EngineSettings& settings = voice::engine::DefaultEngineSettings()) {
        voice::ResetState();
        platform_ = voice::engine::CreateSpeechEngines(settings);
        platform::SetSpeechPlatform(platform_.get());
        ::testing::internal::CaptureStderr();
        step();
        return ::testing::internal::GetCapturedStderr();
    }

    std::unique_ptr<platform::SpeechPlatform> platform_;
};

TEST_F(EngineSetup, TheVoiceFailsWithTheNumberOfTheMissingPiece) {
    for (const auto& [voiceName, error, says] :
         {std::tuple{"en-us", platform::kErrNoAudioServer, "PulseAudio"},
          {"no-such-voice", platform::kErrNoVoiceEngine, "no-such-voice"}}) {
        voice::engine::EngineSettings settings = voice::engine::DefaultEngineSettings();
        settings.voiceName = voiceName;
        const std::string said = Run([] { EXPECT_EQ(voice::InitVoice(), 0); }, settings);
        EXPECT_EQ(voice::TTSError, error);
        EXPECT_FALSE(voice::gVoice);
        EXPECT_NE(said.find(says), std::string::npos) << said;
    }
}

// With the model and the shipped grammar there, only listening needs the server, at the last step.
TEST_F(EngineSetup, ListeningFailsWithTheNumberOfTheMissingPiece) {
    // whether the acoustic model is where the settings say, dorva.cfg (nullptr: the shipped one, "": none),
    // the error, what standard error says
    const char* shipped = nullptr;
    // clang-format off
    for (const auto& [model, grammar, error, says] : {
             std::tuple{true, shipped, platform::kErrNoAudioServer, "PulseAudio"},
             {false, shipped, platform::kErrNoAcousticModel, "/nonexistent/pocketsphinx"},
             {true, "", platform::kErrGrammarFile, "dorva.cfg"},
             {true, "rule a\n  roll\n roll dice\n", platform::kErrGrammarFile, "dorva.cfg:3"},
             {true, "rule a\n  roll the zorblax\n  frobnicate dice\n", platform::kErrGrammarWord, "zorblax, frobnicate"}}) {
        // clang-format on
        voice::engine::EngineSettings settings = voice::engine::DefaultEngineSettings();
        settings.modelFolder = model ? settings.modelFolder : "/nonexistent/pocketsphinx/model/en-us";
        std::optional<test::SupportFolder> own; // of the test's own grammar, if any
        if (grammar != nullptr) {
            own.emplace();
        }
        if (own && *grammar != '\0') {
            own->Write("dorva.cfg", grammar);
        }
        const std::string said = Run([] { voice::gRecoAvailable = voice::InitReco(); }, settings);
        EXPECT_EQ(voice::gRecoAvailable, 0);
        EXPECT_EQ(voice::SRError, error) << says;
        EXPECT_NE(said.find(says), std::string::npos) << said;
    }
}

// The program's globals outlive the platform at exit; whichever goes first, nothing hangs or
// crashes, and what is left behind is inert.
TEST_F(EngineSetup, ThePlatformMayGoBeforeItsContextAndGrammar) {
    Run([] { voice::InitReco(); });
    ASSERT_TRUE(voice::gRecoContext && voice::gRecoGrammar);
    platform_.reset();
    platform::SetSpeechPlatform(nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_NE(voice::gRecoGrammar->CmdSetRuleIdState(0, 1), 0);
    ::testing::internal::GetCapturedStderr();
    voice::gRecoContext.reset();
    voice::gRecoGrammar.reset();
}

// Where nothing takes the program's voice out of what the microphone hears, a command heard while it
// speaks is the player's unless the program is saying its words itself.
TEST(PlaybackGate, TellsTheProgramsOwnWordsFromThePlayers) {
    // clang-format off
    for (const auto& [saying, heard, program] : {
             std::tuple{"<speak>I will stop talking</speak>", "stop talking", true},
             {"I will STOP listening", "stop listening", true},
             {"You attacked at 8 even rolled a 3 and a 5", "activation roll", false},
             {"<speak>roll the <spell>A</spell> dice</speak>", "roll a pair of dice", false},
             {"stop talking", "", false}}) {
        // clang-format on
        voice::engine::PlaybackGate gate;
        gate.Saying(saying);
        EXPECT_EQ(gate.SaidByProgram(heard), program) << saying << " / " << heard;
    }
}

} // namespace
