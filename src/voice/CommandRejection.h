#pragma once
// Whether what the recogniser heard is a command or table talk that merely resembles one.
//
// Grammar search always finds the nearest phrase, so a sentence that is no command still comes back
// as some command. The evidence against it is acoustic: the same audio goes through a free loop of
// context-independent phones, which can follow whatever was said. When the utterance really is the
// phrase, the grammar path scores almost as well per frame as the free loop; when it is something
// else, the grammar path has to bend the audio onto the wrong sounds and falls far behind.

#include <cstddef>
#include <string>
#include <vector>

namespace dorva::voice {

struct RejectionThresholds {
    // The lowest acceptable (grammar score - phone-loop score) / frames, in the decoder's log units
    // (log base 1.0001), for
    // phrases of up to shortPhraseWords words and for longer ones. Longer phrases get a lower bar:
    // more words give more places to lose a little without being a different sentence.
    double shortPhraseGap;
    double longPhraseGap;
    std::size_t shortPhraseWords;
};

// The one place the thresholds live. Tuned on espeak-ng voices only (see bench/voice), so that the
// other voices stay an honest check.
inline constexpr RejectionThresholds kRejectionThresholds{-14.0, -17.0, 3};

// One stretch of a decoder's best path: a word (or filler such as "<sil>") of the grammar path, or a
// phone of the free loop, with its frames (first and last, inclusive) and acoustic score.
struct ScoredSegment {
    std::string label;
    int firstFrame = 0;
    int lastFrame = 0;
    double score = 0;
};

struct UtteranceEvidence {
    std::string hypothesis;  // the grammar search's words; empty when no path reached the end
    double grammarScore = 0; // acoustic log-likelihood of the grammar path (log base 1.0001)
    int frames = 0;          // that the grammar path covers
    // The free phone loop runs a decoder of its own whose voice-activity detector may keep a frame
    // or two more or less; each score is taken per frame of its own decoder.
    double phoneLoopScore = 0;
    int phoneLoopFrames = 0;
    std::vector<ScoredSegment> grammarPath;
    std::vector<ScoredSegment> phoneLoop;
};

enum class Verdict {
    Command,
    NoHypothesis, // no phrase of the grammar fits the utterance from start to end
    PoorFit,      // a phrase fits, but far worse than free phones do
};

// The score gap per frame (0 when either decoder saw no frames).
double GapPerFrame(const UtteranceEvidence& evidence);

Verdict Judge(const UtteranceEvidence& evidence,
              const RejectionThresholds& thresholds = kRejectionThresholds);

} // namespace dorva::voice
