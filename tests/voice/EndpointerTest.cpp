// When a spoken command has ended: soon after a whole command, later when the words so far could
// still go on or are no command yet, and never in the middle of speech.
#include "voice/Endpointer.h"
#include "voice/Grammar.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

using namespace dorva::voice;

namespace {

// Settings of the test's own, in 30 ms fragments: 60, 300 and 600 ms of silence, 3 s at most.
constexpr EndpointSettings kTest{60, 300, 600, 3000};
constexpr int kFragment = 30;

using Step = std::tuple<bool, Partial, int>; // speech or silence, the partial words, how many fragments

constexpr bool kSpeech = true;
constexpr bool kSilence = false;

TEST(Endpointer, EndsWhereExpected) {
    using enum Partial;
    // the steps of fragments, the fragment that ends the utterance (counted from 1; none: still waiting)
    // clang-format off
    for (const auto& [name, steps, endsAfter] : {
             std::tuple{"silence alone never starts an utterance", std::vector<Step>{{kSilence, Nothing, 100}}, std::optional<int>{}},
             // 10 fragments of speech, then 60 ms: the second silent fragment.
             {"a whole command ends after the short silence", {{kSpeech, Nothing, 10}, {kSilence, WholeCommand, 10}}, 12},
             {"a command that goes on waits longer", {{kSpeech, Nothing, 10}, {kSilence, WholeButGoesOn, 20}}, 20},
             {"incomplete words wait longest", {{kSpeech, Nothing, 10}, {kSilence, Incomplete, 30}}, 30},
             {"a pause inside a command is no end",
              {{kSpeech, Nothing, 10}, {kSilence, Incomplete, 15}, {kSpeech, Nothing, 5}, {kSilence, WholeCommand, 5}}, 32},
             {"sound without a word ends after the short silence", {{kSpeech, Nothing, 10}, {kSilence, Nothing, 10}}, 12},
             {"endless speech is cut at the longest", {{kSpeech, Nothing, 200}}, 100},
             {"silence before speech does not count", {{kSilence, Nothing, 50}, {kSpeech, Nothing, 10}, {kSilence, WholeCommand, 5}}, 62}}) {
        // clang-format on
        Endpointer endpointer(kTest);
        int fragment = 0;
        std::optional<int> ended;
        for (const auto& [inSpeech, partial, times] : steps) {
            for (int i = 0; i < times && !ended; ++i) {
                ++fragment;
                if (endpointer.Step(kFragment, inSpeech, partial) == EndpointDecision::End) {
                    ended = fragment;
                }
            }
        }
        EXPECT_EQ(ended, endsAfter) << name;
    }
}

TEST(Endpointer, AfterResetWaitsForTheNextSpeech) {
    Endpointer endpointer(kTest);
    endpointer.Step(kFragment, true, Partial::Nothing);
    EXPECT_TRUE(endpointer.InUtterance());
    endpointer.Reset();
    EXPECT_FALSE(endpointer.InUtterance());
    EXPECT_EQ(endpointer.Step(kFragment, false, Partial::WholeCommand), EndpointDecision::Wait);
}

TEST(Endpointer, PartialWordsAreWhatTheGrammarMakesOfThem) {
    const GrammarReading reading =
        ParseGrammar("rule repeat\n  repeat\n  repeat that\nrule rolldice\n  roll dice\n");
    ASSERT_TRUE(reading.grammar);
    for (const auto& [words, partial] : {std::pair{"  ", Partial::Nothing},
                                         {"roll", Partial::Incomplete},
                                         {"Roll  Dice", Partial::WholeCommand},
                                         {"repeat", Partial::WholeButGoesOn}}) {
        EXPECT_EQ(ClassifyPartial(*reading.grammar, words), partial) << words;
    }
}

} // namespace
