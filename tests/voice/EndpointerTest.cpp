// When a spoken command has ended: soon after a whole command, later when the words so far could
// still go on or are no command yet, and never in the middle of speech.
#include "voice/Endpointer.h"
#include "voice/Grammar.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace dorva::voice;

namespace {

// Settings of the test's own, in 30 ms fragments: 60, 300 and 600 ms of silence, 3 s at most.
constexpr EndpointSettings kTest{60, 300, 600, 3000};
constexpr int kFragment = 30;

struct Step {
    bool inSpeech;
    Partial partial;
    int times;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    std::optional<int> endsAfterFragment; // counted from 1; none: still waiting after the last
};

class Endpointing : public ::testing::TestWithParam<Case> {};

TEST_P(Endpointing, EndsWhereExpected) {
    Endpointer endpointer(kTest);
    int fragment = 0;
    std::optional<int> ended;
    for (const Step& step : GetParam().steps) {
        for (int i = 0; i < step.times && !ended; ++i) {
            ++fragment;
            if (endpointer.Step(kFragment, step.inSpeech, step.partial) == EndpointDecision::End) {
                ended = fragment;
            }
        }
    }
    EXPECT_EQ(ended, GetParam().endsAfterFragment);
}

constexpr bool kSpeech = true;
constexpr bool kSilence = false;

INSTANTIATE_TEST_SUITE_P(
    Utterances, Endpointing,
    ::testing::Values(
        Case{"SilenceAloneNeverStartsAnUtterance", {{kSilence, Partial::Nothing, 100}}, std::nullopt},
        // 10 fragments of speech, then 60 ms: the second silent fragment.
        Case{"WholeCommandEndsAfterTheShortSilence",
             {{kSpeech, Partial::Nothing, 10}, {kSilence, Partial::WholeCommand, 10}},
             12},
        Case{"CommandThatGoesOnWaitsLonger",
             {{kSpeech, Partial::Nothing, 10}, {kSilence, Partial::WholeButGoesOn, 20}},
             20},
        Case{"IncompleteWordsWaitLongest",
             {{kSpeech, Partial::Nothing, 10}, {kSilence, Partial::Incomplete, 30}},
             30},
        Case{"APauseInsideACommandIsNoEnd",
             {{kSpeech, Partial::Nothing, 10},
              {kSilence, Partial::Incomplete, 15},
              {kSpeech, Partial::Nothing, 5},
              {kSilence, Partial::WholeCommand, 5}},
             32},
        Case{"SoundWithoutAWordEndsAfterTheShortSilence",
             {{kSpeech, Partial::Nothing, 10}, {kSilence, Partial::Nothing, 10}},
             12},
        Case{"EndlessSpeechIsCutAtTheLongest", {{kSpeech, Partial::Nothing, 200}}, 100},
        Case{"SilenceBeforeSpeechDoesNotCount",
             {{kSilence, Partial::Nothing, 50},
              {kSpeech, Partial::Nothing, 10},
              {kSilence, Partial::WholeCommand, 5}},
             62}),
    [](const ::testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

TEST(Endpointer, AfterResetWaitsForTheNextSpeech) {
    Endpointer endpointer(kTest);
    endpointer.Step(kFragment, true, Partial::Nothing);
    EXPECT_TRUE(endpointer.InUtterance());
    endpointer.Reset();
    EXPECT_FALSE(endpointer.InUtterance());
    EXPECT_EQ(endpointer.Step(kFragment, false, Partial::WholeCommand), EndpointDecision::Wait);
}

struct Classified {
    const char* words;
    Partial partial;
};

class PartialWords : public ::testing::TestWithParam<Classified> {};

TEST_P(PartialWords, AreWhatTheGrammarMakesOfThem) {
    const GrammarReading reading =
        ParseGrammar("rule repeat\n  repeat\n  repeat that\nrule rolldice\n  roll dice\n");
    ASSERT_TRUE(reading.grammar);
    EXPECT_EQ(ClassifyPartial(*reading.grammar, GetParam().words), GetParam().partial) << GetParam().words;
}

INSTANTIATE_TEST_SUITE_P(Words, PartialWords,
                         ::testing::Values(Classified{"", Partial::Nothing},
                                           Classified{"   ", Partial::Nothing},
                                           Classified{"roll", Partial::Incomplete},
                                           Classified{"roll dice", Partial::WholeCommand},
                                           Classified{"Roll  Dice", Partial::WholeCommand},
                                           Classified{"repeat", Partial::WholeButGoesOn},
                                           Classified{"repeat that", Partial::WholeCommand}));

} // namespace
