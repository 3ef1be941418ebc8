#include "voice/CommandRejection.h"

#include "voice/Grammar.h"

#include <algorithm>

namespace dorva::voice {

double GapPerFrame(const UtteranceEvidence& evidence) {
    if (evidence.frames <= 0 || evidence.phoneLoopFrames <= 0) {
        return 0;
    }
    return evidence.grammarScore / evidence.frames - evidence.phoneLoopScore / evidence.phoneLoopFrames;
}

Verdict Judge(const UtteranceEvidence& evidence, const RejectionThresholds& thresholds) {
    const std::string words = NormalizeWords(evidence.hypothesis);
    if (words.empty() || evidence.frames <= 0) {
        return Verdict::NoHypothesis;
    }
    const auto wordCount = static_cast<std::size_t>(std::count(words.begin(), words.end(), ' ')) + 1;
    const double threshold =
        wordCount <= thresholds.shortPhraseWords ? thresholds.shortPhraseGap : thresholds.longPhraseGap;
    return GapPerFrame(evidence) >= threshold ? Verdict::Command : Verdict::PoorFit;
}

} // namespace dorva::voice
