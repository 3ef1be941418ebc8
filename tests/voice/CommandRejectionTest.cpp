// What is no command never becomes one: no hypothesis at all, a grammar path that falls too far
// behind the free phone loop for the length of the phrase, or one that calls speech silence.
#include "voice/CommandRejection.h"

#include <gtest/gtest.h>

using namespace dorva::voice;

namespace {

// Thresholds of the test's own, so that the cases do not move when the tuned ones do.
constexpr RejectionThresholds kTest{-10.0, -20.0, 2, 25};

TEST(CommandRejection, EachUtteranceGetsItsVerdict) {
    using enum Verdict;
    // hypothesis, grammar score and frames, phone-loop score and frames, frames of speech the grammar
    // path calls silence, verdict
    // clang-format off
    for (const auto& [hypothesis, grammarScore, frames, loopScore, loopFrames, absorbed, verdict] : {
             std::tuple{"", -1000.0, 100, -900.0, 100, 0, NoHypothesis}, {"roll dice", 0.0, 0, 0.0, 0, 0, NoHypothesis},
             // Gap per frame: (-2000 - -1000) / 100 = -10, just within -10.
             {"roll dice", -2000.0, 100, -1000.0, 100, 0, Command}, {"roll dice", -2100.0, 100, -1000.0, 100, 0, PoorFit},
             // Three words are a long phrase here: -15 a frame is within its -20.
             {"roll a die", -2500.0, 100, -1000.0, 100, 0, Command}, {" roll   dice ", -2100.0, 100, -1000.0, 100, 0, PoorFit},
             // Each decoder's score is taken per frame of its own: -15 against -10 is a gap of -5.
             {"roll dice", -1500.0, 100, -1100.0, 110, 0, Command},
             {"roll dice", -1500.0, 100, -1000.0, 100, 25, Command}, {"roll dice", -1500.0, 100, -1000.0, 100, 26, SpeechAbsorbed},
             // Both faults: the poorer fit is named.
             {"roll dice", -2100.0, 100, -1000.0, 100, 40, PoorFit}}) {
        // clang-format on
        // The grammar path calls `absorbed` frames silence where the free loop heard phones.
        const UtteranceEvidence evidence{hypothesis,
                                         grammarScore,
                                         frames,
                                         loopScore,
                                         loopFrames,
                                         {{"<sil>", 0, 19 + absorbed, 0}, {"roll", 20 + absorbed, 60, 0}},
                                         {{"SIL", 0, 19, 0}, {"R", 20, 60, 0}}};
        EXPECT_EQ(Judge(evidence, kTest), verdict)
            << "'" << hypothesis << "' " << grammarScore << " " << absorbed;
    }
}

TEST(CommandRejection, AbsorbedFramesAreFillerFramesAgainstLoopSilence) {
    using Path = std::vector<ScoredSegment>;
    // clang-format off
    for (const auto& [grammarPath, phoneLoop, absorbed] : {
             std::tuple{Path{}, Path{}, 0},
             {Path{{"<s>", 0, 4, 0}, {"[NOISE]", 5, 9, 0}, {"roll(2)", 10, 20, 0}, {"[SPEECH]", 21, 22, 0}, {"</s>", 23, 24, 0}},
              Path{{"SIL", 0, 1, 0}, {"R", 2, 24, 0}}, 12},
             // Speech-like noise of the free loop is something heard, not silence.
             {Path{{"<sil>", 0, 9, 0}}, Path{{"+SPN+", 0, 9, 0}}, 10},
             {Path{{"roll", 0, 9, 0}}, Path{{"SIL", 0, 3, 0}, {"R", 4, 9, 0}}, -4}}) {
        // clang-format on
        const UtteranceEvidence evidence{"", 0, 0, 0, 0, grammarPath, phoneLoop};
        EXPECT_EQ(AbsorbedFrames(evidence), absorbed);
    }
}

TEST(RejectionThresholds, ALongerPhraseIsNeverHeldToAStricterBar) {
    EXPECT_LE(kRejectionThresholds.longPhraseGap, kRejectionThresholds.shortPhraseGap);
    EXPECT_LT(kRejectionThresholds.shortPhraseGap, 0.0);
    EXPECT_GT(kRejectionThresholds.absorbedFrames, 0);
}

} // namespace
