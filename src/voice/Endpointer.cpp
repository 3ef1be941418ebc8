#include "voice/Endpointer.h"

#include "voice/Grammar.h"

namespace dorva::voice {

EndpointDecision Endpointer::Step(int fragmentMs, bool inSpeech, Partial partial) {
    if (!started_) {
        if (!inSpeech) {
            return EndpointDecision::Wait;
        }
        started_ = true;
        utteranceMs_ = 0;
        silenceMs_ = 0;
    }
    utteranceMs_ += fragmentMs;
    if (utteranceMs_ >= settings_.longestUtteranceMs) {
        return EndpointDecision::End;
    }
    if (inSpeech) {
        silenceMs_ = 0;
        return EndpointDecision::Wait;
    }
    silenceMs_ += fragmentMs;
    int needed = settings_.partialSilenceMs;
    if (partial == Partial::WholeCommand || partial == Partial::Nothing) {
        // Nothing to wait for: a whole command is complete, and sound in which the decoder found no
        // word at all (a cough, a door, the detector's own start on silence) is no command begun.
        needed = settings_.wholeCommandSilenceMs;
    } else if (partial == Partial::WholeButGoesOn) {
        needed = settings_.goesOnSilenceMs;
    }
    return silenceMs_ >= needed ? EndpointDecision::End : EndpointDecision::Wait;
}

void Endpointer::Reset() {
    started_ = false;
    utteranceMs_ = 0;
    silenceMs_ = 0;
}

} // namespace dorva::voice

namespace dorva::voice {

Partial ClassifyPartial(const Grammar& grammar, std::string_view words) {
    if (NormalizeWords(words).empty()) {
        return Partial::Nothing;
    }
    if (!grammar.Find(words)) {
        return Partial::Incomplete;
    }
    return grammar.StartsLongerPhrase(words) ? Partial::WholeButGoesOn : Partial::WholeCommand;
}

} // namespace dorva::voice
