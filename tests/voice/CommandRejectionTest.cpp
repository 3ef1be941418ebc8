// What is no command never becomes one: no hypothesis at all, a grammar path that falls too far
// behind the free phone loop for the length of the phrase, one that calls speech silence, or one the
// search reached only by leaving a much better path at the end.
#include "voice/CommandRejection.h"

#include <gtest/gtest.h>

using namespace dorva::voice;

namespace {

// Thresholds of the test's own, so that the cases do not move when the tuned ones do.
constexpr RejectionThresholds kTest{-10.0, -20.0, 2, 25, -100.0, 30, -40.0};

TEST(CommandRejection, EachUtteranceGetsItsVerdict) {
    using enum Verdict;
    // hypothesis, grammar score and frames, phone-loop score and frames, frames of speech the grammar
    // path calls silence, the partial path's words and how far the final path fell behind it, verdict
    // clang-format off
    for (const auto& [hypothesis, grammarScore, frames, loopScore, loopFrames, absorbed, partial, fall, verdict] : {
             std::tuple{"", -1000.0, 100, -900.0, 100, 0, "", 0.0, NoHypothesis}, {"roll dice", 0.0, 0, 0.0, 0, 0, "", 0.0, NoHypothesis},
             // Gap per frame: (-2000 - -1000) / 100 = -10, just within -10.
             {"roll dice", -2000.0, 100, -1000.0, 100, 0, "roll dice", 0.0, Command}, {"roll dice", -2100.0, 100, -1000.0, 100, 0, "roll dice", 0.0, PoorFit},
             // Three words are a long phrase here: -15 a frame is within its -20.
             {"roll a die", -2500.0, 100, -1000.0, 100, 0, "roll dice", 0.0, Command}, {" roll   dice ", -2100.0, 100, -1000.0, 100, 0, "roll dice", 0.0, PoorFit},
             // Each decoder's score is taken per frame of its own: -15 against -10 is a gap of -5.
             {"roll dice", -1500.0, 100, -1100.0, 110, 0, "roll dice", 0.0, Command},
             {"roll dice", -1500.0, 100, -1000.0, 100, 25, "roll dice", 0.0, Command}, {"roll dice", -1500.0, 100, -1000.0, 100, 26, "roll dice", 0.0, SpeechAbsorbed},
             // Both faults: the poorer fit is named.
             {"roll dice", -2100.0, 100, -1000.0, 100, 40, "roll dice", 0.0, PoorFit},
             // The search had to leave "roll" for a whole phrase: a small fall is a settled ending, a
             // large one is not; a partial path of the same words is no fall at all.
             {"roll dice", -1500.0, 100, -1000.0, 100, 0, "roll", -100.0, Command},
             {"roll dice", -1500.0, 100, -1000.0, 100, 0, "roll", -101.0, Unsettled},
             {"roll dice", -1500.0, 100, -1000.0, 100, 0, " Roll  dice", -500.0, Command}}) {
        // clang-format on
        // The grammar path calls `absorbed` frames silence where the free loop heard phones.
        const std::vector<ScoredSegment> path{{"<sil>", 0, 19 + absorbed, 0}, {"roll", 20 + absorbed, 60, 0}},
            loop{{"SIL", 0, 19, 0}, {"R", 20, 60, 0}};
        const UtteranceEvidence evidence{hypothesis, grammarScore, frames,  loopScore, loopFrames,
                                         path,       loop,         partial, 0.0,       fall};
        EXPECT_EQ(Judge(evidence, kTest), verdict)
            << "'" << hypothesis << "' " << grammarScore << " " << absorbed;
    }
}

// The wake word counts only when it took the time of a spoken word and fitted it about as well as
// free phones do (the test's bar: 30 frames, -40 a frame; the loop's phones straddle the word).
TEST(CommandRejection, TheWakeWordMustHaveBeenSaid) {
    using Path = std::vector<ScoredSegment>;
    const Path loop{{"SIL", 0, 9, -100}, {"D", 10, 29, -400}, {"AO", 30, 59, -600}, {"R", 60, 99, -800}};
    // clang-format off
    for (const auto& [path, verdict] : {
             std::pair{Path{{"<sil>", 0, 9, -100}, {"dorva", 10, 39, -600 - 30 * 40}, {"roll", 40, 99, -900}}, Verdict::Command},
             {Path{{"<sil>", 0, 9, -100}, {"dorva(2)", 10, 39, -600 - 30 * 40 - 1}, {"roll", 40, 99, -900}}, Verdict::NoWakeWord},
             {Path{{"<sil>", 0, 10, -100}, {"dorva", 11, 39, -600}, {"roll", 40, 99, -900}}, Verdict::NoWakeWord},
             {Path{{"<sil>", 0, 9, -100}, {"roll", 10, 99, -900}}, Verdict::Command}}) {
        // clang-format on
        const UtteranceEvidence evidence{"dorva roll", -1500.0, 100, -1500.0, 100, path, loop, "", 0.0, 0.0};
        EXPECT_EQ(Judge(evidence, kTest), verdict) << path[1].label << " " << path[1].score;
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
        EXPECT_EQ(AbsorbedFrames({"", 0, 0, 0, 0, grammarPath, phoneLoop, "", 0, 0}),
                  absorbed); // the paths alone
    }
}

} // namespace
