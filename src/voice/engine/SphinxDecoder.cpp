#include "voice/engine/SphinxDecoder.h"

#include "platform/SpeechPlatform.h"
#include "voice/Endpointer.h"

#include <pocketsphinx.h>
#include <sphinxbase/ckd_alloc.h>
#include <sphinxbase/cmn.h>
#include <sphinxbase/err.h>
#include <sphinxbase/feat.h>
#include <sphinxbase/fsg_model.h>
#include <sphinxbase/jsgf.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace dorva::voice::engine {
namespace {

std::mutex gLogMutex;
std::string gLogMessages;

void CollectMessage(void* /*user*/, err_lvl_t level, const char* format, ...) {
    if (level < ERR_WARN) {
        return;
    }
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    const std::lock_guard lock(gLogMutex);
    // Keep the tail: when something fails, its reason is logged last.
    if (gLogMessages.size() > 8192) {
        gLogMessages.erase(0, gLogMessages.size() - 4096);
    }
    gLogMessages += buffer;
}

struct JsgfDeleter {
    void operator()(jsgf_t* jsgf) const { jsgf_grammar_free(jsgf); }
};
struct FsgDeleter {
    void operator()(fsg_model_t* fsg) const { fsg_model_free(fsg); }
};

struct DecoderDeleter {
    void operator()(ps_decoder_t* ps) const { ps_free(ps); }
};
using DecoderHandle = std::unique_ptr<ps_decoder_t, DecoderDeleter>;

constexpr const char* kGrammarSearch = "commands";
constexpr const char* kFollowUpSearch = "follow-up";
// The decoder's frames: 10 ms at 16 kHz, the model's own rate.
constexpr int kSampleRate = 16000;
constexpr int kFramesPerSecond = 100;
constexpr std::size_t kFrameSamples = kSampleRate / kFramesPerSecond;
// The audio is fed to the decoders this many frames at a time.
constexpr std::size_t kPieceFrames = 3;
// How far the frame the search last took in lies behind the newest audio: the front end's window
// and the features' look-ahead. Measured on synthesised commands, some with pauses between words:
// 3 frames put the fewest loud frames into silence and the fewest silent ones into words.
constexpr long kSearchLagFrames = 3;
// More than the voice-activity detector holds back before speech (20 frames), the frames the
// search takes in before it keeps pace again, and its lag.
constexpr std::size_t kRecentFrames = 64;
// The loudness given to digital silence, which has none in dB.
constexpr float kSilentDbfs = -120.0F;
constexpr const char* kPhoneSearch = "phones";
// Of the first utterance, the newest audio kept for its second search: the longest the listener lets
// an utterance of speech go on, and two seconds of the silence and hang-over around it.
constexpr std::size_t kFirstUtteranceKeptSamples =
    static_cast<std::size_t>(kEndpointSettings.longestUtteranceMs + 2000) * kSampleRate / 1000;

// A finite-state grammar for the decoder from JSGF text; null when the text does not parse.
std::unique_ptr<fsg_model_t, FsgDeleter> BuildFsg(ps_decoder_t* ps, const std::string& text) {
    // What ps_set_jsgf_string does, less its leak: it never frees the parsed JSGF.
    std::unique_ptr<jsgf_t, JsgfDeleter> jsgf(jsgf_parse_string(text.c_str(), nullptr));
    jsgf_rule_t* rule = jsgf ? jsgf_get_public_rule(jsgf.get()) : nullptr;
    return std::unique_ptr<fsg_model_t, FsgDeleter>(
        rule
            ? jsgf_build_fsg(jsgf.get(), rule, ps_get_logmath(ps), cmd_ln_float32_r(ps_get_config(ps), "-lw"))
            : nullptr);
}

// Files without which ps_init gives up with E_FATAL, which ends the process; checked first so that a
// missing model is a failure to report instead.
constexpr const char* kModelFiles[] = {"mdef", "means", "variances", "transition_matrices", "feat.params"};

std::string SettingsError(const DecoderSettings& settings) {
    std::error_code error;
    for (const char* file : kModelFiles) {
        if (!std::filesystem::is_regular_file(settings.acousticModel / file, error)) {
            return "no acoustic model: " + (settings.acousticModel / file).string() + " is missing";
        }
    }
    if (!std::filesystem::is_regular_file(settings.acousticModel / "sendump", error) &&
        !std::filesystem::is_regular_file(settings.acousticModel / "mixture_weights", error)) {
        return "no acoustic model: " + settings.acousticModel.string() + " holds no mixture weights";
    }
    if (!std::filesystem::is_regular_file(settings.dictionary, error)) {
        return "no pronunciation dictionary: " + settings.dictionary.string() + " is missing";
    }
    return {};
}

DecoderHandle MakeDecoder(const DecoderSettings& settings, bool phoneLoop) {
    const std::string hmm = settings.acousticModel.string();
    const std::string dict = settings.dictionary.string();
    const std::string postspeech = std::to_string(settings.vadPostspeechFrames);
    // No dithering: the noise floor the audio is given (NoiseFloor) is far above it.
    // Live cepstral mean normalisation, since commands are decoded while they are spoken.
    // The grammar search gets beams far wider than the library's: with its own, slowly spoken or
    // noisy commands lose every path before the grammar's end and come back as no hypothesis at all.
    // The phone loop keeps the library's, which it needs to stay a small fraction of real time.
    const char* beam = phoneLoop ? "1e-48" : "1e-80";
    const char* wordBeam = phoneLoop ? "7e-29" : "1e-60";
    const char* phoneBeam = phoneLoop ? "1e-48" : "1e-80";
    cmd_ln_t* config =
        cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", hmm.c_str(), "-dict", dict.c_str(), "-cmn", "live",
                    "-vad_postspeech", postspeech.c_str(), "-allphone_ci", phoneLoop ? "yes" : "no", "-beam",
                    beam, "-wbeam", wordBeam, "-pbeam", phoneBeam, nullptr);
    if (!config) {
        return nullptr;
    }
    DecoderHandle decoder(ps_init(config));
    cmd_ln_free_r(config); // the decoder keeps its own reference
    return decoder;
}

// The best path's segments with their acoustic scores in the decoder's own log units (log base
// 1.0001, as ps_seg_prob gives them); gives the frames the path covers.
int ScoredPath(ps_decoder_t* ps, std::vector<ScoredSegment>& path) {
    int first = -1;
    int last = -1;
    for (ps_seg_t* seg = ps_seg_iter(ps); seg; seg = ps_seg_next(seg)) {
        int32 ascr = 0;
        int32 lscr = 0;
        int32 lback = 0;
        ps_seg_prob(seg, &ascr, &lscr, &lback);
        int sf = 0;
        int ef = 0;
        ps_seg_frames(seg, &sf, &ef);
        if (first < 0) {
            first = sf;
        }
        last = ef;
        const char* word = ps_seg_word(seg);
        path.push_back({word ? word : "", sf, ef, static_cast<double>(ascr)});
    }
    return first < 0 ? 0 : last - first + 1;
}

// A word's further pronunciations are its alternates, "word(2)", "word(3)": the search hears any of
// them and reports the word.
bool Teach(ps_decoder_t* ps, const TaughtPronunciation& entry) {
    std::string name(entry.word);
    for (int alternate = 2;; ++alternate) {
        char* known = ps_lookup_word(ps, name.c_str());
        if (!known) {
            break;
        }
        ckd_free(known);
        name = std::string(entry.word) + "(" + std::to_string(alternate) + ")";
    }
    return ps_add_word(ps, name.c_str(), std::string(entry.phones).c_str(), FALSE) >= 0;
}

} // namespace

struct SphinxDecoder::Handles {
    DecoderHandle grammar;
    DecoderHandle phones;
};

void QuietSphinxLogging() {
    static std::once_flag once;
    std::call_once(once, [] {
        // The decoder also prints its whole configuration straight to the log file.
        err_set_logfp(nullptr);
        err_set_callback(CollectMessage, nullptr);
    });
}

std::string TakeSphinxMessages() {
    const std::lock_guard lock(gLogMutex);
    std::string messages;
    messages.swap(gLogMessages);
    while (!messages.empty() && messages.back() == '\n') {
        messages.pop_back();
    }
    return messages;
}

SphinxDecoder::SphinxDecoder(std::unique_ptr<Handles> handles)
    : handles_(std::move(handles)), frameMeter_(kSampleRate, kFramesPerSecond) {}

SphinxDecoder::~SphinxDecoder() {
    if (inUtterance_) {
        ps_end_utt(handles_->grammar.get());
        ps_end_utt(handles_->phones.get());
    }
}

std::string SphinxDecoder::SettingsProblem(const DecoderSettings& settings) {
    return SettingsError(settings);
}

long SphinxDecoder::Open(const DecoderSettings& settings, std::unique_ptr<SphinxDecoder>& decoder,
                         std::string& detail) {
    QuietSphinxLogging();
    decoder.reset();
    if (std::string problem = SettingsError(settings); !problem.empty()) {
        detail = problem;
        return platform::kErrNoAcousticModel;
    }
    TakeSphinxMessages();
    auto handles = std::make_unique<Handles>();
    handles->grammar = MakeDecoder(settings, false);
    handles->phones = handles->grammar ? MakeDecoder(settings, true) : nullptr;
    if (!handles->grammar || !handles->phones) {
        detail = "PocketSphinx could not load the model " + settings.acousticModel.string() + ": " +
                 TakeSphinxMessages();
        return platform::kErrNoAcousticModel;
    }
    for (const std::span<const TaughtPronunciation> taught :
         {std::span<const TaughtPronunciation>(kWakeWordPronunciations),
          std::span<const TaughtPronunciation>(kAccentPronunciations)}) {
        for (const TaughtPronunciation& entry : taught) {
            if (!Teach(handles->grammar.get(), entry)) {
                detail = "PocketSphinx could not learn how \"" + std::string(entry.word) +
                         "\" is said: " + TakeSphinxMessages();
                return platform::kErrNoAcousticModel;
            }
        }
    }
    // The player's own pronunciations come from the settings, which may have been damaged: one the
    // decoder refuses is left out, and the rest are heard as before.
    for (const PlayerPronunciation& own : settings.playerPronunciations) {
        char* known = ps_lookup_word(handles->grammar.get(), own.word.c_str());
        if (known) {
            ckd_free(known);
            Teach(handles->grammar.get(), {own.word, own.phones});
        }
    }
    TakeSphinxMessages();
    if (ps_set_allphone_file(handles->phones.get(), kPhoneSearch, nullptr) != 0 ||
        ps_set_search(handles->phones.get(), kPhoneSearch) != 0) {
        detail = "PocketSphinx could not set up the phone loop: " + TakeSphinxMessages();
        return platform::kErrNoAcousticModel;
    }
    decoder.reset(new SphinxDecoder(std::move(handles)));
    return 0;
}

long SphinxDecoder::SetGrammar(const Grammar& grammar, std::string& detail, const Grammar* followUp) {
    ps_decoder_t* ps = handles_->grammar.get();
    // The follow-up grammar's words are the other's, less the wake word.
    std::string unknown;
    for (const std::string& word : grammar.Words()) {
        char* phones = ps_lookup_word(ps, word.c_str());
        if (!phones) {
            unknown += (unknown.empty() ? "" : ", ") + word;
        }
        ckd_free(phones);
    }
    if (!unknown.empty()) {
        detail = "the pronunciation dictionary lacks: " + unknown;
        return platform::kErrGrammarWord;
    }
    // The search cannot change while an utterance is going on (the wake word is switched while the
    // player plays); what was heard of it belonged to the old grammar anyway.
    DiscardUtterance();
    TakeSphinxMessages();
    // The searches keep references of their own to their finite-state grammars.
    const auto build = [&](const Grammar& searched, const char* name) {
        const std::unique_ptr<fsg_model_t, FsgDeleter> fsg = BuildFsg(ps, BuildJsgf(searched));
        return fsg && ps_set_fsg(ps, name, fsg.get()) == 0;
    };
    // A search that is replaced is freed: the decoder turns to the new one before the follow-up,
    // which may be the one it was searching, is replaced in turn.
    followUp_ = false;
    hasFollowUp_ = false;
    if (!build(grammar, kGrammarSearch) || ps_set_search(ps, kGrammarSearch) != 0 ||
        (followUp && !build(*followUp, kFollowUpSearch))) {
        detail = "PocketSphinx did not take the grammar: " + TakeSphinxMessages();
        return platform::kErrGrammarFile;
    }
    hasFollowUp_ = followUp != nullptr;
    return 0;
}

void SphinxDecoder::ListenForFollowUp(bool on) {
    if (on == followUp_ || (on && !hasFollowUp_)) {
        return;
    }
    DiscardUtterance();
    if (ps_set_search(handles_->grammar.get(), on ? kFollowUpSearch : kGrammarSearch) == 0) {
        followUp_ = on;
    }
}

void SphinxDecoder::StartUtterance() {
    if (inUtterance_) {
        return;
    }
    ps_start_utt(handles_->grammar.get());
    ps_start_utt(handles_->phones.get());
    inUtterance_ = true;
    frameDb_.clear();
    unplaced_ = 0;
    firstAudio_.clear();
}

void SphinxDecoder::Process(std::span<const std::int16_t> samples) {
    StartUtterance();
    if (!heardSpeech_) {
        firstAudio_.insert(firstAudio_.end(), samples.begin(), samples.end());
        // The listener ends an utterance within its longest command; the silence before it, which
        // the decoders' voice-activity detection drops anyway, need not be kept whole.
        constexpr std::size_t kKept = kFirstUtteranceKeptSamples;
        if (firstAudio_.size() > 2 * kKept) {
            firstAudio_.erase(firstAudio_.begin(), firstAudio_.end() - static_cast<long>(kKept));
        }
    }
    // A few frames at a time, so that the frames the search takes in can be matched with the audio
    // they came from.
    constexpr std::size_t kPiece = kPieceFrames * kFrameSamples;
    for (std::size_t at = 0; at < samples.size(); at += kPiece) {
        const auto piece = samples.subspan(at, std::min(kPiece, samples.size() - at));
        NoteLoudness(piece);
        const auto heard = noiseFloor_.Add(piece);
        ps_process_raw(handles_->grammar.get(), heard.data(), heard.size(), FALSE, FALSE);
        ps_process_raw(handles_->phones.get(), heard.data(), heard.size(), FALSE, FALSE);
        TakeSearchedFrames(false);
    }
}

void SphinxDecoder::NoteLoudness(std::span<const std::int16_t> samples) {
    for (const double dbfs : frameMeter_.AddDbfs(samples)) {
        recentDb_.push_back(static_cast<float>(std::max(double{kSilentDbfs}, dbfs)));
    }
    if (recentDb_.size() > 2 * kRecentFrames) {
        recentDb_.erase(recentDb_.begin(), recentDb_.end() - static_cast<long>(kRecentFrames));
    }
}

void SphinxDecoder::TakeSearchedFrames(bool ending) {
    // The search takes in the frames of speech in the order they were spoken, a few frames behind
    // the audio (the features look ahead). When speech begins, the voice-activity detector lets go
    // at once of the frames it held back, and the search takes them in over the next pieces; the
    // silence it drops between stretches of speech is never searched. So the frames taken in since
    // the search last kept pace are placed, contiguous, back from the audio it keeps pace with.
    const auto searched = static_cast<std::size_t>(std::max(0, ps_get_n_frames(handles_->grammar.get())));
    const std::size_t fresh = searched - std::min(searched, frameDb_.size() + unplaced_);
    unplaced_ += fresh;
    if (unplaced_ == 0 || (!ending && fresh > kPieceFrames)) {
        return;
    }
    const long newest = static_cast<long>(recentDb_.size()) - 1 - kSearchLagFrames;
    for (std::size_t i = 0; i < unplaced_; ++i) {
        const long at = newest - static_cast<long>(unplaced_ - 1 - i);
        frameDb_.push_back(recentDb_.empty() ? kSilentDbfs
                                             : recentDb_[static_cast<std::size_t>(std::clamp<long>(
                                                   at, 0, static_cast<long>(recentDb_.size()) - 1))]);
    }
    unplaced_ = 0;
}

bool SphinxDecoder::InSpeech() const {
    return ps_get_in_speech(handles_->grammar.get()) != 0;
}

std::string SphinxDecoder::PartialHypothesis() const {
    int32 score = 0;
    const char* hyp = ps_get_hyp(handles_->grammar.get(), &score);
    return hyp ? hyp : "";
}

UtteranceEvidence SphinxDecoder::EndUtterance() {
    UtteranceEvidence evidence = EndSearch();
    if (heardSpeech_ || evidence.frames == 0) {
        return evidence;
    }
    heardSpeech_ = true;
    const std::vector<std::int16_t> audio = std::move(firstAudio_);
    Process(audio); // which starts an utterance, and so empties firstAudio_
    return EndSearch();
}

UtteranceEvidence SphinxDecoder::EndSearch() {
    UtteranceEvidence evidence;
    if (!inUtterance_) {
        return evidence;
    }
    ps_decoder_t* grammar = handles_->grammar.get();
    ps_decoder_t* phones = handles_->phones.get();
    // Ending an utterance updates the live cepstral mean from its frames; an utterance of no frames
    // (only silence, which the voice-activity detector drops) would make it the mean of nothing, not
    // a number, and every later utterance would decode to nothing. The mean is kept instead.
    const bool noFrames = ps_get_n_frames(grammar) == 0 || ps_get_n_frames(phones) == 0;
    const std::vector<float> mean = CepstralMean();
    // The best path so far, before the end forces the search onto a path that completes a phrase.
    int32 partialScore = 0;
    const char* partial = noFrames ? nullptr : ps_get_hyp(grammar, &partialScore);
    evidence.partialHypothesis = partial ? partial : "";
    evidence.partialScore = partialScore;
    ps_end_utt(grammar);
    ps_end_utt(phones);
    inUtterance_ = false;
    TakeSearchedFrames(true);
    evidence.frameDb = std::move(frameDb_);
    frameDb_.clear();
    if (noFrames) {
        SetCepstralMean(mean);
        return evidence;
    }
    int32 score = 0;
    const char* hyp = ps_get_hyp(grammar, &score);
    evidence.hypothesis = hyp ? hyp : "";
    evidence.pathScore = score;
    evidence.frames = ScoredPath(grammar, evidence.grammarPath);
    ScoredPath(phones, evidence.phoneLoop);
    return evidence;
}

void SphinxDecoder::DiscardUtterance() {
    if (!inUtterance_) {
        return;
    }
    // What is thrown away (the program's own voice) must not teach the mean either.
    const std::vector<float> mean = CepstralMean();
    EndSearch();
    SetCepstralMean(mean);
}

std::vector<float> SphinxDecoder::CepstralMean() const {
    feat_t* feat = ps_get_feat(handles_->grammar.get());
    std::vector<mfcc_t> mean(static_cast<std::size_t>(feat_cepsize(feat)));
    cmn_live_get(feat->cmn_struct, mean.data());
    return {mean.begin(), mean.end()};
}

void SphinxDecoder::SetCepstralMean(const std::vector<float>& mean) {
    for (ps_decoder_t* ps : {handles_->grammar.get(), handles_->phones.get()}) {
        feat_t* feat = ps_get_feat(ps);
        if (mean.size() != static_cast<std::size_t>(feat_cepsize(feat))) {
            continue;
        }
        const std::vector<mfcc_t> values(mean.begin(), mean.end());
        cmn_live_set(feat->cmn_struct, values.data());
    }
}

} // namespace dorva::voice::engine
