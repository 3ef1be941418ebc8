// What is no command never becomes one: no hypothesis at all, a grammar path that falls too far
// behind the free phone loop for the length of the phrase, or one that calls speech silence.
#include "voice/CommandRejection.h"

#include <gtest/gtest.h>

using namespace dorva::voice;

namespace {

// Thresholds of the test's own, so that the cases do not move when the tuned ones do.
constexpr RejectionThresholds kTest{-10.0, -20.0, 2, 25};

struct Case {
    const char* name;
    const char* hypothesis;
    double grammarScore;
    int frames;
    double phoneLoopScore;
    int phoneLoopFrames;
    Verdict verdict;
    int absorbed = 0; // frames of speech the grammar path calls silence
};

// A grammar path that calls `absorbed` frames silence where the free loop heard phones.
void Absorb(UtteranceEvidence& evidence, int absorbed) {
    evidence.grammarPath = {{"<sil>", 0, 19 + absorbed, 0}, {"roll", 20 + absorbed, 60, 0}};
    evidence.phoneLoop = {{"SIL", 0, 19, 0}, {"R", 20, 60, 0}};
}

class Judging : public ::testing::TestWithParam<Case> {};

TEST_P(Judging, GivesItsVerdict) {
    const Case& c = GetParam();
    UtteranceEvidence evidence;
    evidence.hypothesis = c.hypothesis;
    evidence.grammarScore = c.grammarScore;
    evidence.frames = c.frames;
    evidence.phoneLoopScore = c.phoneLoopScore;
    evidence.phoneLoopFrames = c.phoneLoopFrames;
    Absorb(evidence, c.absorbed);
    EXPECT_EQ(Judge(evidence, kTest), c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Utterances, Judging,
    ::testing::Values(
        Case{"NoWords", "", -1000, 100, -900, 100, Verdict::NoHypothesis},
        Case{"NoFrames", "roll dice", 0, 0, 0, 0, Verdict::NoHypothesis},
        // Gap per frame: (-2000 - -1000) / 100 = -10, just within -10.
        Case{"ShortPhraseExactlyAtItsThreshold", "roll dice", -2000, 100, -1000, 100, Verdict::Command},
        Case{"ShortPhraseBehindItsThreshold", "roll dice", -2100, 100, -1000, 100, Verdict::PoorFit},
        // Three words are a long phrase here: -15 a frame is within its -20.
        Case{"LongPhraseGetsTheLowerBar", "roll a die", -2500, 100, -1000, 100, Verdict::Command},
        Case{"BlanksDoNotMakeWords", " roll   dice ", -2100, 100, -1000, 100, Verdict::PoorFit},
        // Each decoder's score is taken per frame of its own: -15 against -10 is a gap of -5.
        Case{"ScoresPerFrameOfEachDecoder", "roll dice", -1500, 100, -1100, 110, Verdict::Command},
        Case{"SpeechCalledSilenceUpToTheLimit", "roll dice", -1500, 100, -1000, 100, Verdict::Command, 25},
        Case{"SpeechCalledSilenceBeyondTheLimit", "roll dice", -1500, 100, -1000, 100,
             Verdict::SpeechAbsorbed, 26},
        // Both faults: the poorer fit is named.
        Case{"PoorFitAndSpeechCalledSilence", "roll dice", -2100, 100, -1000, 100, Verdict::PoorFit, 40}),
    [](const ::testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

struct Paths {
    const char* name;
    std::vector<ScoredSegment> grammarPath;
    std::vector<ScoredSegment> phoneLoop;
    int absorbed;
};

class Absorbed : public ::testing::TestWithParam<Paths> {};

TEST_P(Absorbed, CountsFillerFramesAgainstLoopSilence) {
    UtteranceEvidence evidence;
    evidence.grammarPath = GetParam().grammarPath;
    evidence.phoneLoop = GetParam().phoneLoop;
    EXPECT_EQ(AbsorbedFrames(evidence), GetParam().absorbed);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Paths, Absorbed, ::testing::Values(
    Paths{"NothingDecoded", {}, {}, 0},
    Paths{"EveryKindOfFiller",
          {{"<s>", 0, 4, 0}, {"[NOISE]", 5, 9, 0}, {"roll(2)", 10, 20, 0}, {"[SPEECH]", 21, 22, 0}, {"</s>", 23, 24, 0}},
          {{"SIL", 0, 1, 0}, {"R", 2, 24, 0}}, 12},
    // Speech-like noise of the free loop is something heard, not silence.
    Paths{"LoopNoiseIsNoSilence", {{"<sil>", 0, 9, 0}}, {{"+SPN+", 0, 9, 0}}, 10},
    Paths{"LoopHeardMoreSilence", {{"roll", 0, 9, 0}}, {{"SIL", 0, 3, 0}, {"R", 4, 9, 0}}, -4}),
    [](const ::testing::TestParamInfo<Paths>& row) { return std::string(row.param.name); });
// clang-format on

TEST(RejectionThresholds, ALongerPhraseIsNeverHeldToAStricterBar) {
    EXPECT_LE(kRejectionThresholds.longPhraseGap, kRejectionThresholds.shortPhraseGap);
    EXPECT_LT(kRejectionThresholds.shortPhraseGap, 0.0);
    EXPECT_GT(kRejectionThresholds.absorbedFrames, 0);
}

} // namespace
