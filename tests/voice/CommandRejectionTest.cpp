// What is no command never becomes one: no hypothesis at all, or a grammar path that falls too far
// behind the free phone loop for the length of the phrase.
#include "voice/CommandRejection.h"

#include <gtest/gtest.h>

using namespace dorva::voice;

namespace {

// Thresholds of the test's own, so that the cases do not move when the tuned ones do.
constexpr RejectionThresholds kTest{-10.0, -20.0, 2};

struct Case {
    const char* name;
    const char* hypothesis;
    double grammarScore;
    int frames;
    double phoneLoopScore;
    int phoneLoopFrames;
    Verdict verdict;
};

class Judging : public ::testing::TestWithParam<Case> {};

TEST_P(Judging, GivesItsVerdict) {
    const Case& c = GetParam();
    UtteranceEvidence evidence;
    evidence.hypothesis = c.hypothesis;
    evidence.grammarScore = c.grammarScore;
    evidence.frames = c.frames;
    evidence.phoneLoopScore = c.phoneLoopScore;
    evidence.phoneLoopFrames = c.phoneLoopFrames;
    EXPECT_EQ(Judge(evidence, kTest), c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Utterances, Judging,
    ::testing::Values(
        Case{"NoWords", "", -1000, 100, -900, 100, Verdict::NoHypothesis},
        Case{"OnlyBlanks", "  ", -1000, 100, -900, 100, Verdict::NoHypothesis},
        Case{"NoFrames", "roll dice", 0, 0, 0, 0, Verdict::NoHypothesis},
        // Gap per frame: (-1500 - -1000) / 100 = -5, within -10.
        Case{"ShortPhraseCloseToThePhones", "roll dice", -1500, 100, -1000, 100, Verdict::Command},
        Case{"ShortPhraseExactlyAtItsThreshold", "roll dice", -2000, 100, -1000, 100, Verdict::Command},
        Case{"ShortPhraseBehindItsThreshold", "roll dice", -2100, 100, -1000, 100, Verdict::PoorFit},
        // Three words are a long phrase here: -15 a frame is within its -20.
        Case{"LongPhraseGetsTheLowerBar", "roll a die", -2500, 100, -1000, 100, Verdict::Command},
        Case{"LongPhraseBehindItsThreshold", "roll a die", -3100, 100, -1000, 100, Verdict::PoorFit},
        Case{"BlanksDoNotMakeWords", " roll   dice ", -2100, 100, -1000, 100, Verdict::PoorFit},
        // Each decoder's score is taken per frame of its own: -15 against -10 is a gap of -5.
        Case{"ScoresPerFrameOfEachDecoder", "roll dice", -1500, 100, -1100, 110, Verdict::Command}),
    [](const ::testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

TEST(RejectionThresholds, ALongerPhraseIsNeverHeldToAStricterBar) {
    EXPECT_LE(kRejectionThresholds.longPhraseGap, kRejectionThresholds.shortPhraseGap);
    EXPECT_LT(kRejectionThresholds.shortPhraseGap, 0.0);
}

} // namespace
