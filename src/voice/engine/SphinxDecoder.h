#pragma once
// PocketSphinx 0.8 behind a header that includes none of its own: two decoders fed the same audio,
// one searching the command grammar, one a free loop of context-independent phones whose score the
// rejection weighs the grammar path against.

#include "voice/AudioLevel.h"
#include "voice/CommandRejection.h"
#include "voice/Grammar.h"
#include "voice/VoiceLessons.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace dorva::voice::engine {

struct DecoderSettings {
    std::filesystem::path acousticModel; // the folder with mdef, means, variances, ...
    std::filesystem::path dictionary;
    int vadPostspeechFrames = 50;
    std::vector<PlayerPronunciation> playerPronunciations;
};

class SphinxDecoder {
public:
    ~SphinxDecoder();
    SphinxDecoder(const SphinxDecoder&) = delete;
    SphinxDecoder& operator=(const SphinxDecoder&) = delete;

    // Why the model or the dictionary cannot be loaded, as far as their files tell; empty when they are
    // all there. Quick: it loads nothing.
    static std::string SettingsProblem(const DecoderSettings& settings);

    // 0, or kErrNoAcousticModel with the reason in detail.
    static long Open(const DecoderSettings& settings, std::unique_ptr<SphinxDecoder>& decoder,
                     std::string& detail);

    // 0, or kErrGrammarWord (a word the dictionary lacks) / kErrGrammarFile with the reason. The
    // follow-up grammar, when there is one, is made ready beside it for ListenForFollowUp.
    long SetGrammar(const Grammar& grammar, std::string& detail, const Grammar* followUp = nullptr);
    // Searches the follow-up grammar instead of the other from the next utterance on, or goes back.
    // Both are built once, in SetGrammar: switching costs nothing but the utterance going on, which
    // is forgotten without teaching the mean (it can only be the silence before the next one).
    void ListenForFollowUp(bool on);
    bool ListensForFollowUp() const { return followUp_; }

    void StartUtterance();
    void Process(std::span<const std::int16_t> samples);
    bool InSpeech() const;
    std::string PartialHypothesis() const;
    // Ends the utterance and gathers the words and both acoustic scores. The first utterance of speech
    // is searched twice: see heardSpeech_.
    UtteranceEvidence EndUtterance();
    // Forgets the utterance going on without learning from it: the cepstral mean stays as it was.
    void DiscardUtterance();

    // The live cepstral mean of the grammar decoder; set, it goes to both decoders. Taken before an
    // utterance that must not teach it and set back after.
    std::vector<float> CepstralMean() const;
    void SetCepstralMean(const std::vector<float>& mean);

private:
    struct Handles;
    explicit SphinxDecoder(std::unique_ptr<Handles> handles);
    void NoteLoudness(std::span<const std::int16_t> samples);
    void TakeSearchedFrames(bool ending);
    UtteranceEvidence EndSearch();
    std::unique_ptr<Handles> handles_;
    bool inUtterance_ = false;
    bool hasFollowUp_ = false;
    bool followUp_ = false; // the follow-up grammar is searched
    // Until an utterance of speech has ended, the live cepstral mean is the model's, taken from other
    // voices and microphones; the first utterance ending sets it to the player's own. Searched through
    // the model's mean, the first command of a session was refused far more often than the same
    // command later on, so it is searched again, from its kept audio, through the mean it has just
    // taught. The tuning voices' first commands, each heard by a fresh recogniser: 191 of 200 right;
    // 176 when only the audio the endpointer had kept around the utterance was searched again. The
    // first answer comes about an eighth of a second later than the others, once.
    bool heardSpeech_ = false;
    std::vector<std::int16_t> firstAudio_; // of the utterance going on, until speech has been heard
    std::vector<float> recentDb_;          // the loudness of the latest frames of audio, newest last
    std::vector<float> frameDb_;           // of each frame the grammar search has taken in this utterance
    std::size_t unplaced_ = 0;             // frames taken in whose audio is not known yet
    AudioLevelMeter frameMeter_;           // cuts the audio into the decoder's frames
    NoiseFloor noiseFloor_;                // under what the decoders hear; the loudness is the audio's own
};

// Silences the libraries' own logging and keeps their warnings and errors for the next failure's
// detail. Called once before the first decoder is made.
void QuietSphinxLogging();
// The warnings and errors the libraries logged since the last call, one a line.
std::string TakeSphinxMessages();

} // namespace dorva::voice::engine
