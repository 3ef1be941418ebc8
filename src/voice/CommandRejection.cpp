#include "voice/CommandRejection.h"

#include "voice/Grammar.h"

#include <algorithm>

namespace dorva::voice {
namespace {

int Frames(const ScoredSegment& segment) {
    return segment.lastFrame - segment.firstFrame + 1;
}

// Fillers of the grammar path: "<sil>", "<s>", "</s>", "[NOISE]", "[SPEECH]", "++...++".
bool IsFiller(const std::string& label) {
    return !label.empty() && (label.front() == '<' || label.front() == '[' || label.front() == '+');
}

} // namespace

double GapPerFrame(const UtteranceEvidence& evidence) {
    if (evidence.frames <= 0 || evidence.phoneLoopFrames <= 0) {
        return 0;
    }
    return evidence.grammarScore / evidence.frames - evidence.phoneLoopScore / evidence.phoneLoopFrames;
}

int AbsorbedFrames(const UtteranceEvidence& evidence) {
    int absorbed = 0;
    for (const ScoredSegment& segment : evidence.grammarPath) {
        absorbed += IsFiller(segment.label) ? Frames(segment) : 0;
    }
    for (const ScoredSegment& segment : evidence.phoneLoop) {
        absorbed -= segment.label == "SIL" ? Frames(segment) : 0;
    }
    return absorbed;
}

double PartialMargin(const UtteranceEvidence& evidence) {
    const std::string partial = NormalizeWords(evidence.partialHypothesis);
    if (partial.empty() || partial == NormalizeWords(evidence.hypothesis)) {
        return 0;
    }
    return evidence.pathScore - evidence.partialScore;
}

std::optional<WakeWordFit> FitOfWakeWord(const UtteranceEvidence& evidence) {
    const auto word = std::find_if(evidence.grammarPath.begin(), evidence.grammarPath.end(),
                                   [](const ScoredSegment& segment) { return !IsFiller(segment.label); });
    // Its second pronunciation comes back as "dorva(2)".
    if (word == evidence.grammarPath.end() || word->label.substr(0, word->label.find('(')) != kWakeWord) {
        return std::nullopt;
    }
    // The free loop's phones rarely start and end where the word does: each gives the share of its
    // score that falls inside the word.
    double loopScore = 0;
    for (const ScoredSegment& phone : evidence.phoneLoop) {
        const int overlap =
            std::min(word->lastFrame, phone.lastFrame) - std::max(word->firstFrame, phone.firstFrame) + 1;
        if (overlap > 0) {
            loopScore += phone.score * overlap / Frames(phone);
        }
    }
    return WakeWordFit{Frames(*word), (word->score - loopScore) / Frames(*word)};
}

Verdict Judge(const UtteranceEvidence& evidence, const RejectionThresholds& thresholds) {
    const std::string words = NormalizeWords(evidence.hypothesis);
    if (words.empty() || evidence.frames <= 0) {
        return Verdict::NoHypothesis;
    }
    const auto wordCount = static_cast<std::size_t>(std::count(words.begin(), words.end(), ' ')) + 1;
    const double threshold =
        wordCount <= thresholds.shortPhraseWords ? thresholds.shortPhraseGap : thresholds.longPhraseGap;
    if (GapPerFrame(evidence) < threshold) {
        return Verdict::PoorFit;
    }
    if (AbsorbedFrames(evidence) > thresholds.absorbedFrames) {
        return Verdict::SpeechAbsorbed;
    }
    if (PartialMargin(evidence) < thresholds.partialMargin) {
        return Verdict::Unsettled;
    }
    if (const std::optional<WakeWordFit> wake = FitOfWakeWord(evidence);
        wake && (wake->frames < thresholds.wakeWordFrames || wake->gapPerFrame < thresholds.wakeWordGap)) {
        return Verdict::NoWakeWord;
    }
    return Verdict::Command;
}

} // namespace dorva::voice
