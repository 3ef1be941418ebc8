#pragma once
// When a spoken command has ended.
//
// The decoder's voice-activity detector only knows loudness: it declares the end of speech after a
// fixed hang-over of silence, and any fixed hang-over trades latency against commands split at a
// pause ("roll a ... single die"). The grammar knows more: once the words heard so far are a whole
// command that no longer command continues, a short silence ends it; while they are not, a pause is
// only a pause and the endpointer waits longer.

#include <string_view>

namespace dorva::voice {

class Grammar;

struct EndpointSettings {
    int wholeCommandSilenceMs; // after a whole command no longer phrase continues, or no word at all
    int goesOnSilenceMs;       // after a whole command that a longer phrase continues ("repeat")
    int partialSilenceMs;      // after words that are no whole command yet
    int longestUtteranceMs;    // speech that goes on this long is no command: end it anyway
};

// Counted from the moment the decoder's voice-activity detector declares silence, which itself
// comes after its own short hang-over (the decoder's -vad_postspeech).
inline constexpr EndpointSettings kEndpointSettings{0, 300, 600, 8000};

// What the words heard so far are, as the grammar sees them.
enum class Partial {
    Nothing,        // no words yet
    Incomplete,     // words, but no whole phrase
    WholeCommand,   // a whole phrase that no longer phrase starts with
    WholeButGoesOn, // a whole phrase that is also the start of a longer one
};

// The partial hypothesis as the endpointer needs to know it.
Partial ClassifyPartial(const Grammar& grammar, std::string_view words);

enum class EndpointDecision { Wait, End };

class Endpointer {
public:
    explicit Endpointer(const EndpointSettings& settings = kEndpointSettings) : settings_(settings) {}

    // One fragment of audio has gone through the decoder: its length, whether the decoder is in
    // speech after it, and what the words heard so far are (only looked at in silence).
    EndpointDecision Step(int fragmentMs, bool inSpeech, Partial partial);
    // The utterance was ended (or thrown away): wait for the next one.
    void Reset();

    bool InUtterance() const { return started_; }

private:
    EndpointSettings settings_;
    bool started_ = false;
    int utteranceMs_ = 0;
    int silenceMs_ = 0;
};

} // namespace dorva::voice
