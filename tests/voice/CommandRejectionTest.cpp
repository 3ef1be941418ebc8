// What is no command never becomes one: no hypothesis at all, a grammar path that falls too far
// behind the free phone loop on the speech, one that calls speech silence, or one the search reached
// only by leaving a much better path at the end. Quiet noise around a command weighs nothing.
#include "voice/CommandRejection.h"

#include <gtest/gtest.h>

using namespace dorva::voice;

namespace {

// Thresholds of the test's own, so that the cases do not move when the tuned ones do: speech is
// within 10 dB of the loud level; the player's fit is the middle of the latest 4 commands, known
// after 3, a command may fall 10 below it, and never below -25.
constexpr RejectionThresholds kTest{-10.0, -20.0, 2, 25, -100.0, 30, 20, -40.0, 10.0, 4, 3, 10.0, -25.0};

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

// The bar follows the player's own commands lately, stricter for a voice the recogniser fits well and
// looser, down to a floor, for one it fits poorly; it follows also through the phrases it refuses,
// so that a voice that changes is not shut out. What is said over the program's voice, the wake word
// alone and what the other tests refused neither meet the player's bar nor move it.
TEST(CommandRejection, ThePlayersOwnFitSetsTheBar) {
    using enum Verdict;
    struct Said {
        double gap;
        bool overProgram = false;
        const char* words = "roll dice";
        Verdict verdict = Command;
    };
    using Before = std::vector<Said>;
    const Before close{{2}, {2}, {2}};     // the bar is -8, above the fixed -10
    const Before far{{-12}, {-14}, {-13}}; // the bar is -23
    const auto then = [&close](std::vector<Said> more) {
        Before all = close;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    // the utterances heard before, in order; the utterance; its verdict
    // clang-format off
    for (const auto& [before, said, verdict] : {
             // Until three were heard, the fixed bar.
             std::tuple{Before{{2}, {2}}, Said{-10}, Command}, {Before{{2}, {2}}, Said{-10.5}, PoorFit},
             {close, Said{-8}, Command}, {close, Said{-8.1}, UnlikePlayer},
             {far, Said{-23}, Command}, {far, Said{-23.1}, PoorFit},
             // However poorly the player fits, not below the floor.
             {Before{{-20}, {-20}, {-20}}, Said{-25}, Command}, {Before{{-20}, {-20}, {-20}}, Said{-25.1}, PoorFit},
             // Of four, the upper middle: the bar leans to the stricter side.
             {Before{{-2}, {-4}, {-6}, {-8}}, Said{-14.0}, Command}, {Before{{-2}, {-4}, {-6}, {-8}}, Said{-14.1}, PoorFit},
             // Only the latest four count: a player who came closer to the microphone.
             {Before{{-20}, {-20}, {-20}, {-20}, {-20}, {-5}, {-5}, {-5}}, Said{-15.5}, PoorFit},
             // ... or one whose voice fits worse now: first refused, then followed.
             {Before{{-2}, {-2}, {-2}, {-20}}, Said{-20}, PoorFit},
             {Before{{-2}, {-2}, {-2}, {-20}, {-20}, {-20}}, Said{-20}, Command},
             {close, Said{-9, true}, Command}, {far, Said{-11, true}, PoorFit},
             {then({{-9, true}, {-9, true}, {-9, true}}), Said{-8.1}, UnlikePlayer},
             {close, Said{-20, false, " Dorva "}, Command},
             {then({{-9, false, "dorva"}, {-9, false, "dorva"}, {-9, false, "dorva"}}), Said{-8.1}, UnlikePlayer},
             {close, Said{-5, false, "roll dice", SpeechAbsorbed}, SpeechAbsorbed},
             {then({{-9, false, "roll dice", PoorFit}, {-9, false, "roll dice", SpeechAbsorbed}, {-9, false, "roll dice", Unsettled}}), Said{-8.1}, UnlikePlayer}}) {
        // clang-format on
        PlayerFit fit(kTest);
        for (const Said& heard : before) {
            fit.Weigh(heard.verdict, heard.words, heard.gap, heard.overProgram);
        }
        EXPECT_EQ(fit.Weigh(said.verdict, said.words, said.gap, said.overProgram), verdict)
            << before.size() << " heard, then " << said.words << " " << said.gap;
    }
    // The tests the player's fit weighs after let a phrase through down to the floor.
    EXPECT_EQ(Judge(Heard("roll dice", -30.0, -10.0, 0), WithPlayerFitFloor(kTest)), Verdict::Command);
    EXPECT_EQ(Judge(Heard("roll dice", -35.5, -10.0, 0), WithPlayerFitFloor(kTest)), Verdict::PoorFit);
}

} // namespace
