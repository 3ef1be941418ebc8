// The real engines when a piece is missing: the program's own set-up (InitVoice, InitReco) fails with
// the program's error number for that piece, the engine's reason goes to standard error, and nothing
// ends the process or hangs. No audio server is needed: PulseAudio is pointed at a socket that does
// not exist, with autospawn off.
#include "support/DataFiles.h"
#include "voice/SpeechSetup.h"
#include "voice/State.h"
#include "platform/Seams.h"
#include "voice/engine/SpeechEngines.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

using namespace dorva;

namespace {

class NoAudioServer : public ::testing::Environment {
public:
    void SetUp() override {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / ("dorva-no-server-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "client.conf") << "autospawn = no\n";
        setenv("PULSE_CLIENTCONFIG", (folder / "client.conf").c_str(), 1);
        setenv("PULSE_SERVER", ("unix:" + (folder / "no-such-socket").string()).c_str(), 1);
        folder_ = folder;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    std::filesystem::path folder_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new NoAudioServer);

std::string ShippedGrammar() {
    std::ifstream in(std::filesystem::path(std::getenv("DORVA_TEST_BINARY_DIR")) / "bin" / "DORVA_Support" /
                     "dorva.cfg");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class EngineSetup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DORVA_TEST_BINARY_DIR"), nullptr);
        voice::ResetState();
    }
    void TearDown() override {
        voice::ResetState();
        platform::SetSpeechPlatform(nullptr);
    }

    // InitReco on the engines with these settings and a support folder holding this dorva.cfg (none
    // when empty); the standard error it wrote.
    std::string InitReco(const voice::engine::EngineSettings& settings, const std::string& grammar) {
        test::SupportFolder folder;
        if (!grammar.empty()) {
            folder.Write("dorva.cfg", grammar);
        }
        platform_ = voice::engine::CreateSpeechEngines(settings);
        platform::SetSpeechPlatform(platform_.get());
        ::testing::internal::CaptureStderr();
        voice::gRecoAvailable = voice::InitReco();
        return ::testing::internal::GetCapturedStderr();
    }

    std::unique_ptr<platform::SpeechPlatform> platform_;
};

voice::engine::EngineSettings Installed() {
    return voice::engine::DefaultEngineSettings();
}

TEST_F(EngineSetup, WithoutAnAudioServerTheVoiceFailsWithItsNumber) {
    platform_ = voice::engine::CreateSpeechEngines();
    platform::SetSpeechPlatform(platform_.get());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(voice::InitVoice(), 0);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(voice::TTSError, platform::kErrNoAudioServer);
    EXPECT_FALSE(voice::gVoice);
    EXPECT_NE(said.find("PulseAudio"), std::string::npos) << said;
}

TEST_F(EngineSetup, AVoiceEspeakNgDoesNotHaveFailsWithItsNumber) {
    voice::engine::EngineSettings settings = Installed();
    settings.voiceName = "no-such-voice";
    platform_ = voice::engine::CreateSpeechEngines(settings);
    platform::SetSpeechPlatform(platform_.get());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(voice::InitVoice(), 0);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(voice::TTSError, platform::kErrNoVoiceEngine);
    EXPECT_NE(said.find("no-such-voice"), std::string::npos) << said;
}

// The model and the grammar are there; only listening needs the server, at the last step.
TEST_F(EngineSetup, WithoutAnAudioServerListeningFailsWithItsNumber) {
    const std::string said = InitReco(Installed(), ShippedGrammar());
    EXPECT_EQ(voice::gRecoAvailable, 0);
    EXPECT_EQ(voice::SRError, platform::kErrNoAudioServer);
    EXPECT_TRUE(voice::gRecoContext && voice::gRecoGrammar);
    EXPECT_NE(said.find("PulseAudio"), std::string::npos) << said;
}

struct Missing {
    const char* name;
    bool model;          // the acoustic model is where the settings say
    const char* grammar; // dorva.cfg; nullptr: the shipped one, "": none
    long error;
    const char* says; // on standard error
};

class MissingPiece : public EngineSetup, public ::testing::WithParamInterface<Missing> {};

TEST_P(MissingPiece, FailsTheSetUpWithItsNumberAndReason) {
    const Missing& m = GetParam();
    voice::engine::EngineSettings settings = Installed();
    if (!m.model) {
        settings.modelFolder = "/nonexistent/pocketsphinx/model/en-us";
    }
    const std::string said = InitReco(settings, m.grammar ? m.grammar : ShippedGrammar());
    EXPECT_EQ(voice::gRecoAvailable, 0);
    EXPECT_EQ(voice::SRError, m.error);
    EXPECT_NE(said.find(m.says), std::string::npos) << said;
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, MissingPiece,
    ::testing::Values(
        Missing{"AcousticModel", false, nullptr, platform::kErrNoAcousticModel, "/nonexistent/pocketsphinx"},
        Missing{"GrammarFile", true, "", platform::kErrGrammarFile, "dorva.cfg"},
        Missing{"MalformedGrammar", true, "rule a\n  roll\n roll dice\n", platform::kErrGrammarFile,
                "dorva.cfg:3"},
        Missing{"WordsTheDictionaryLacks", true, "rule a\n  roll the zorblax\n  frobnicate dice\n",
                platform::kErrGrammarWord, "zorblax, frobnicate"}),
    [](const ::testing::TestParamInfo<Missing>& row) { return std::string(row.param.name); });

TEST_F(EngineSetup, RulesCannotBeSwitchedOnBeforeAGrammarIsLoaded) {
    platform_ = voice::engine::CreateSpeechEngines();
    std::unique_ptr<platform::RecoContext> context;
    ASSERT_EQ(platform_->CreateSharedRecoContext(context), 0);
    std::unique_ptr<platform::RecoGrammar> grammar;
    ASSERT_EQ(context->CreateGrammar(0, grammar), 0);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(grammar->CmdSetRuleIdState(0, 1), platform::kErrGrammarFile);
    EXPECT_NE(grammar->CmdSetRuleIdState(3, 1), 0) << "single rules have no ids";
    EXPECT_NE(grammar->DictationSetState(1), 0) << "there is no dictation";
    EXPECT_EQ(grammar->DictationSetState(0), 0);
    ::testing::internal::GetCapturedStderr();
}

TEST_F(EngineSetup, TheAudioLevelInterestIsKeptAsSet) {
    platform_ = voice::engine::CreateSpeechEngines();
    std::unique_ptr<platform::RecoContext> context;
    ASSERT_EQ(platform_->CreateSharedRecoContext(context), 0);
    EXPECT_EQ(context->EventInterests(), 0);
    context->SetEventInterests(platform::kAudioLevelInterest + 4);
    EXPECT_EQ(context->EventInterests(), platform::kAudioLevelInterest + 4);
}

// The program's globals outlive the platform at exit; whichever goes first, nothing hangs or
// crashes, and what is left behind is inert.
TEST_F(EngineSetup, ThePlatformMayGoBeforeItsContextAndGrammar) {
    InitReco(Installed(), ShippedGrammar());
    ASSERT_TRUE(voice::gRecoContext && voice::gRecoGrammar);
    platform_.reset();
    platform::SetSpeechPlatform(nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_NE(voice::gRecoGrammar->CmdSetRuleIdState(0, 1), 0);
    ::testing::internal::GetCapturedStderr();
    voice::gRecoContext.reset();
    voice::gRecoGrammar.reset();
}

} // namespace
