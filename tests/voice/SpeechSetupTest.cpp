#include "voice/SpeechSetup.h"
#include "platform/NullSpeechPlatform.h"
#include "support/ProgramTest.h"
#include "voice/WhatCanISay.h"

using namespace dorva;
using dorva::test::FakeSpeechPlatform;

namespace {

class SpeechSetup : public test::ProgramTest {};

// The steps run in their order; each that fails stops the set-up with its number and keeps what was
// done, and a later success clears the number.
TEST_F(SpeechSetup, RecognitionRunsItsStepsInOrderAndStopsAtTheOneThatFails) {
    const std::vector<std::string> steps = {"CreateSharedRecoContext", "CreateGrammar 0",
                                            "DictationSetState 0", "CmdLoadFromFile 1",
                                            "CmdSetRuleIdState 0 1"};
    // clang-format off
    for (const auto& [error, stepsTried, contextKept, grammarKept] : {
             std::tuple{&FakeSpeechPlatform::contextError, 1u, false, false}, {&FakeSpeechPlatform::grammarError, 2u, true, false},
             {&FakeSpeechPlatform::dictationError, 3u, true, true}, {&FakeSpeechPlatform::loadError, 4u, true, true},
             {&FakeSpeechPlatform::ruleError, 5u, true, true}}) {
        // clang-format on
        speech.calls.clear();
        speech.*error = 1234;
        EXPECT_EQ(voice::InitReco(), 0);
        EXPECT_EQ(voice::SRError, 1234);
        EXPECT_EQ(speech.calls, std::vector<std::string>(steps.begin(), steps.begin() + stepsTried));
        EXPECT_EQ(static_cast<bool>(voice::gRecoContext), contextKept) << stepsTried;
        EXPECT_EQ(static_cast<bool>(voice::gRecoGrammar), grammarKept) << stepsTried;
        speech.*error = 0;
        EXPECT_EQ(voice::InitReco(), 1);
        EXPECT_EQ(voice::SRError, 0);
        voice::ResetState();
    }
    EXPECT_EQ(speech.loadedGrammar, (folder.Root() / "DORVA_Support" / "dorva.cfg").string());
}

// The recogniser hears of the wake word before its grammar is loaded, and afterwards of each change
// only; the list of what to say begins by saying it.
TEST_F(SpeechSetup, TheWakeWordReachesTheRecogniserAndTheListSaysSo) {
    voice::gWakeWord = true;
    voice::gPlayerPronunciations = "two=T EH UW";
    ASSERT_EQ(voice::InitReco(), 1);
    // The player's own pronunciations come with the other choices the settings keep.
    EXPECT_EQ(speech.pronunciations, "two=T EH UW");
    EXPECT_EQ(speech.calls,
              (std::vector<std::string>{"CreateSharedRecoContext", "CreateGrammar 0", "DictationSetState 0",
                                        "SetWakeWord 1", "CmdLoadFromFile 1", "CmdSetRuleIdState 0 1"}));
    voice::gRecoAvailable = 1;
    speech.calls.clear();
    for (const bool on : {true, false, false}) {
        voice::SetWakeWord(on);
    }
    EXPECT_EQ(speech.calls, std::vector<std::string>{"SetWakeWord 0"});
    voice::gWhatCanISayText = "Roll activation\r\n";
    EXPECT_EQ(voice::WhatCanISayShown(), voice::gWhatCanISayText);
    voice::SetWakeWord(true);
    EXPECT_EQ(voice::WhatCanISayShown(),
              "The wake word is on: begin every command with \"Dorva\", as in \"Dorva, "
              "activation roll\". After \"Dorva\" alone, say the command within 4 seconds.\r\n\r\n"
              "Roll activation\r\n");
}

TEST_F(SpeechSetup, TheNullPlatformFailsBothWithTheirOwnNumbers) {
    platform::SetSpeechPlatform(nullptr); // the default
    EXPECT_EQ(voice::InitVoice() + voice::InitReco(), 0);
    EXPECT_EQ(voice::TTSError, 1001);
    EXPECT_EQ(voice::SRError, 1002);
    EXPECT_FALSE(voice::gVoice || voice::gRecoContext);
}

TEST_F(SpeechSetup, AudioLevelInterestOnlyWithRecognitionAndNeverTwice) {
    ASSERT_EQ(voice::InitReco(), 1);
    auto* context = static_cast<FakeSpeechPlatform::Context*>(voice::gRecoContext.get());
    context->interests = 2; // an interest of the platform's own stays untouched
    voice::AddAudioLevelInterest();
    EXPECT_EQ(context->interests, 2);
    voice::gRecoAvailable = 1;
    voice::AddAudioLevelInterest();
    voice::AddAudioLevelInterest();
    EXPECT_EQ(context->interests, 2 + platform::kAudioLevelInterest);
    voice::RemoveAudioLevelInterest();
    voice::RemoveAudioLevelInterest();
    EXPECT_EQ(context->interests, 2);
}

TEST_F(SpeechSetup, WhatCanISayIsTheWholeFileByteForByteOrFileNotFound) {
    for (const std::string text :
         {"Roll activation\r\nSay \"stop talking\"\r\n\xE9t\xE9\r\n", ""}) { // "": still a file
        folder.Write("DORVA2_What_Can_I_Say.txt", text);
        voice::ReadWhatCanISayFile();
        EXPECT_EQ(voice::gWhatCanISayText, text);
    }
    folder.Remove("DORVA2_What_Can_I_Say.txt");
    voice::ReadWhatCanISayFile();
    EXPECT_EQ(voice::gWhatCanISayText, "File not found");
}

} // namespace
