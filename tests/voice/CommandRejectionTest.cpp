// What is no command never becomes one: no hypothesis at all, a grammar path that falls too far
// behind the free phone loop on the speech, one that calls speech silence, or one the search reached
// only by leaving a much better path at the end. Quiet noise around a command weighs nothing.
#include "voice/CommandRejection.h"

#include <gtest/gtest.h>

using namespace dorva::voice;

namespace {

// Thresholds of the test's own, so that the cases do not move when the tuned ones do: speech is
// within 10 dB of the loud level.
constexpr RejectionThresholds kTest{-10.0, -20.0, 2, 25, -100.0, 30, 20, -40.0, 10.0};

// 100 frames numbered from 400, as the decoders number them after earlier utterances: silence over
// the first 20, the words over the next 40, noise over the last 40. The free loop scores -10 a frame
// throughout. The words are loud (-20 dBFS, with a click at 0 dBFS that must not set the level), the
// silence and noise quiet (-60) but for the first `loudNoise` frames of the noise; `loudNoise` -1
// leaves the loudness unmeasured.
UtteranceEvidence Heard(const std::string& hypothesis, double wordScore, double fillerScore, int loudNoise,
                        const std::string& partial = "", double fall = 0) {
    UtteranceEvidence evidence{hypothesis, 100, {}, {}, partial, 0.0, fall, {}};
    evidence.grammarPath = {{"<sil>", 400, 419, fillerScore * 20},
                            {"roll", 420, 459, wordScore * 40},
                            {"[NOISE]", 460, 499, fillerScore * 40}};
    evidence.phoneLoop = {{"SIL", 400, 419, -200}, {"R", 420, 459, -400}, {"SIL", 460, 499, -400}};
    if (loudNoise >= 0) {
        evidence.frameDb.assign(100, -60.0F);
        std::fill_n(evidence.frameDb.begin() + 20, 40 + loudNoise, -20.0F);
        evidence.frameDb[40] = 0.0F;
    }
    return evidence;
}

TEST(CommandRejection, EachUtteranceGetsItsVerdict) {
    using enum Verdict;
    // hypothesis, grammar score a frame on the words and on the fillers, loud frames of the noise,
    // the partial path's words and how far the final path fell behind it, verdict
    // clang-format off
    for (const auto& [hypothesis, word, filler, loudNoise, partial, fall, verdict] : {
             std::tuple{"", -10.0, -10.0, 0, "", 0.0, NoHypothesis},
             // Gap per frame of speech: -20 against -10 is just within -10, however badly the grammar
             // fits the quiet frames.
             {"roll dice", -20.0, -1000.0, 0, "", 0.0, Command}, {"roll dice", -20.5, -10.0, 0, "", 0.0, PoorFit},
             // Three words are a long phrase here: -15 a frame is within its -20.
             {"roll a die", -25.0, -10.0, 0, "", 0.0, Command}, {" roll   dice ", -25.0, -10.0, 0, "", 0.0, PoorFit},
             {"roll dice", -10.0, -10.0, 25, "", 0.0, Command}, {"roll dice", -10.0, -10.0, 26, "", 0.0, SpeechAbsorbed},
             // Both faults: the poorer fit is named.
             {"roll dice", -40.0, -10.0, 40, "", 0.0, PoorFit},
             // The wake word alone is held to the wake word's own bar, -40 here.
             {"Dorva", -50.0, -10.0, 0, "", 0.0, Command}, {"dorva", -50.5, -10.0, 0, "", 0.0, PoorFit},
             // ... and no fall from the partial path unsettles it: the path ran on into the pause.
             {"dorva", -10.0, -10.0, 0, "dorva table", -1000.0, Command},
             // Unmeasured loudness: every frame is speech, and the 60 of the fillers are too many.
             {"roll dice", -10.0, -10.0, -1, "", 0.0, SpeechAbsorbed},
             {"roll dice", -10.0, -1000.0, -1, "", 0.0, PoorFit},
             // The search had to leave "roll" for a whole phrase: a small fall is a settled ending, a
             // large one is not; a partial path of the same words is no fall at all.
             {"roll dice", -10.0, -10.0, 0, "roll", -100.0, Command},
             {"roll dice", -10.0, -10.0, 0, "roll", -101.0, Unsettled},
             {"roll dice", -10.0, -10.0, 0, " Roll  dice", -500.0, Command}}) {
        // clang-format on
        EXPECT_EQ(Judge(Heard(hypothesis, word, filler, loudNoise, partial, fall), kTest), verdict)
            << "'" << hypothesis << "' " << word << " " << filler << " " << loudNoise;
    }
}

// The wake word counts only when it took the time of a spoken word, most of it speech, and fitted it
// about as well as free phones do (the test's bar: 30 frames, 20 of speech, -40 a frame; the loop's
// phones straddle the word).
TEST(CommandRejection, TheWakeWordMustHaveBeenSaid) {
    using Path = std::vector<ScoredSegment>;
    const Path loop{{"SIL", 0, 9, -100}, {"D", 10, 29, -400}, {"AO", 30, 59, -600}, {"R", 60, 99, -800}};
    const Path said{{"<sil>", 0, 9, -100}, {"dorva", 10, 39, -600 - 30 * 40}, {"roll", 40, 99, -900}};
    // Loud (-20 dBFS) from frame `loudFrom` on, quiet (-60) before; -1 leaves the loudness unmeasured.
    const auto loudFrom = [](int first) {
        std::vector<float> db;
        if (first >= 0) {
            db.assign(100, -60.0F);
            std::fill(db.begin() + first, db.end(), -20.0F);
        }
        return db;
    };
    // clang-format off
    for (const auto& [path, loud, verdict] : {
             std::tuple{said, -1, Verdict::Command},
             {Path{{"<sil>", 0, 9, -100}, {"dorva(2)", 10, 39, -600 - 30 * 40 - 1}, {"roll", 40, 99, -900}}, -1, Verdict::NoWakeWord},
             {Path{{"<sil>", 0, 10, -100}, {"dorva", 11, 39, -600}, {"roll", 40, 99, -900}}, -1, Verdict::NoWakeWord},
             // Breath before the command: the word's time, but only its last frames are speech.
             {said, 20, Verdict::Command}, {said, 21, Verdict::NoWakeWord},
             {Path{{"<sil>", 0, 9, -100}, {"roll", 10, 99, -900}}, -1, Verdict::Command}}) {
        // clang-format on
        const UtteranceEvidence evidence{"dorva roll", 100, path, loop, "", 0.0, 0.0, loudFrom(loud)};
        EXPECT_EQ(Judge(evidence, kTest), verdict)
            << path[1].label << " " << path[1].score << " loud from " << loud;
    }
}

} // namespace
