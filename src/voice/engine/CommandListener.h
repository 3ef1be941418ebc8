#pragma once
// The recogniser's whole path from samples to commands, the same for the microphone and for a
// recording: the decoders, the grammar-aware endpointer and the rejection of what is no command. The
// capture thread of the program and dorva-recognize both feed it; nothing in it knows where the
// samples come from.

#include "platform/SpeechPlatform.h"
#include "voice/CommandRejection.h"
#include "voice/Endpointer.h"
#include "voice/Grammar.h"
#include "voice/engine/SpeechEngines.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dorva::voice::engine {

class SphinxDecoder;
struct DecoderSettings;

inline constexpr int kListenSampleRate = 16000;
// The decoder's own hang-over of silence before it declares the end of speech, in 10 ms frames;
// the endpointer decides what follows it, and waits longer for words that are no whole command yet.
// 14 frames answer about 100 ms sooner than 20 and, on recordings, hear more commands right. Through
// the sound server they once cut commands short enough to fail the score gap; that was the echo
// canceller's gain control and noise suppression at work on the speech, which are off now.
inline constexpr int kVadPostspeechFrames = 14;

// One utterance, heard to its end.
struct Utterance {
    bool command = false;
    // The wake word on its own: no command, but the next utterance, begun within kFollowUpSeconds,
    // is heard as what follows it. A player who pauses after "Dorva" is obeyed all the same.
    bool wakeWordAlone = false;
    platform::RecoResult result; // rule and properties when it is a command; phrase = the words heard
    Verdict verdict = Verdict::NoHypothesis;
    double gapPerFrame = 0;
    UtteranceEvidence evidence;
    std::int64_t endSample = 0; // the samples fed when the utterance was ended
};

class CommandListener {
public:
    ~CommandListener();
    CommandListener(const CommandListener&) = delete;
    CommandListener& operator=(const CommandListener&) = delete;

    // The decoder settings the program's listener runs with.
    static DecoderSettings Settings(const EngineSettings& settings);

    // 0, or the program's error number with the engine's reason in detail.
    static long Open(const EngineSettings& settings, std::unique_ptr<CommandListener>& listener,
                     std::string& detail);
    // Reads dorva.cfg and hands it to the decoder: kErrGrammarFile when the file is missing or
    // malformed, kErrGrammarWord when a word is not in the dictionary.
    long LoadGrammar(const std::filesystem::path& file, std::string& detail);
    long SetGrammar(Grammar grammar, std::string& detail);
    const Grammar& CurrentGrammar() const { return grammar_; }

    // 16 kHz mono samples, any amount: the utterances that ended in them.
    std::vector<Utterance> Feed(std::span<const std::int16_t> samples);
    // The input has ended: the utterance still going on, if any.
    std::optional<Utterance> Finish();
    // Throws away whatever was heard since the last utterance ended (the program's own voice).
    void Discard();
    // Whether the microphone also hears the program's own voice now: what is heard then does not
    // tell how loud the player is.
    void SetProgramSpeaking(bool speaking) { programSpeaking_ = speaking; }

    // How loud the player's commands are lately, once one has been heard.
    std::optional<double> PlayerDbfs() const;

    bool InUtterance() const { return endpointer_.InUtterance(); }
    // After the wake word alone, until the next utterance or kFollowUpSeconds of silence.
    bool AwaitsCommand() const;
    std::int64_t SamplesFed() const { return samplesFed_; }

private:
    explicit CommandListener(std::unique_ptr<SphinxDecoder> decoder);
    void FeedFragment(std::span<const std::int16_t> fragment, std::vector<Utterance>& heard);
    std::optional<Utterance> EndAudibleUtterance();
    void ForgetUtterance();
    Utterance EndUtterance(bool overProgram = false);

    // The grammar the utterance going on is heard against: grammar_, or followUp_ after the wake word
    // alone.
    const Grammar& Listened() const;

    std::unique_ptr<SphinxDecoder> decoder_;
    Grammar grammar_; // the decoder also hears the wake word alone in it, when it has the wake word
    // With the wake word: what may follow the wake word alone (any command, with or without the
    // word), searched instead until followUpUntil_.
    Grammar followUp_;
    std::int64_t followUpUntil_ = 0;
    bool haveGrammar_ = false;
    Endpointer endpointer_;
    std::vector<std::int16_t> pending_;   // less than a fragment, waiting for the rest
    std::vector<std::int16_t> utterance_; // the audio of the utterance going on, for its loudness
    std::optional<double> playerDbfs_;    // the loudest utterance lately: the player's own level
    std::int64_t playerHeardAt_ = 0;      // samples fed when it was heard
    bool programSpeaking_ = false;
    bool heardOverProgram_ = false; // some of the utterance going on came while the program spoke
    PlayerFit playerFit_;
    std::int64_t samplesFed_ = 0;
};

} // namespace dorva::voice::engine
