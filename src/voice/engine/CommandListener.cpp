#include "voice/engine/CommandListener.h"

#include "voice/AudioLevel.h"
#include "voice/engine/SphinxDecoder.h"

#include <algorithm>
#include <utility>

namespace dorva::voice::engine {
namespace {

// The decoder sees the audio in pieces of this many samples (30 ms), whatever the source delivers,
// so that a recording is heard exactly as the microphone would be.
constexpr std::size_t kFragmentSamples = kListenSampleRate * 30 / 1000;
constexpr int kFragmentMs = 30;

// How far below the player's last command an utterance may be and still be the player's: a player
// who leans back or turns away loses well under this, a voice across the table loses more.
constexpr double kBackgroundBelowPlayerDb = 15.0;
constexpr double kPlayerLevelSinksDbPerMinute = 6.0;

} // namespace

CommandListener::CommandListener(std::unique_ptr<SphinxDecoder> decoder) : decoder_(std::move(decoder)) {}

CommandListener::~CommandListener() = default;

DecoderSettings CommandListener::Settings(const EngineSettings& settings) {
    DecoderSettings decoderSettings;
    decoderSettings.acousticModel = settings.modelFolder / "en-us";
    decoderSettings.dictionary = settings.modelFolder / "cmudict-en-us.dict";
    decoderSettings.vadPostspeechFrames = kVadPostspeechFrames;
    decoderSettings.playerPronunciations = settings.pronunciations;
    return decoderSettings;
}

long CommandListener::Open(const EngineSettings& settings, std::unique_ptr<CommandListener>& listener,
                           std::string& detail) {
    listener.reset();
    std::unique_ptr<SphinxDecoder> decoder;
    if (const long error = SphinxDecoder::Open(Settings(settings), decoder, detail); error != 0) {
        return error;
    }
    listener.reset(new CommandListener(std::move(decoder)));
    return 0;
}

long CommandListener::LoadGrammar(const std::filesystem::path& file, std::string& detail) {
    GrammarReading reading = ReadGrammarFile(file);
    if (!reading.grammar) {
        detail = file.string() + (reading.errorLine ? ":" + std::to_string(reading.errorLine) : "") + ": " +
                 reading.error;
        return platform::kErrGrammarFile;
    }
    return SetGrammar(std::move(*reading.grammar), detail);
}

long CommandListener::SetGrammar(Grammar grammar, std::string& detail) {
    // A switch clicked between "Dorva" and the command does not cut the wait short.
    const bool awaiting = haveGrammar_ && AwaitsCommand();
    Grammar searched = grammar;
    Grammar followUp;
    if (grammar.wakeWord) {
        searched.rules.push_back({std::string(kWakeWordAloneRule), {{std::string(kWakeWord), {}}}});
        // A player who had no answer soon enough says the whole command again, "Dorva" and all.
        followUp = WithoutWakeWord(grammar);
        for (std::size_t i = 0; i < followUp.rules.size(); ++i) {
            const std::vector<GrammarPhrase>& said = grammar.rules[i].phrases;
            followUp.rules[i].phrases.insert(followUp.rules[i].phrases.end(), said.begin(), said.end());
        }
    }
    if (const long error = decoder_->SetGrammar(searched, detail, grammar.wakeWord ? &followUp : nullptr);
        error != 0) {
        return error;
    }
    grammar_ = std::move(grammar);
    followUp_ = std::move(followUp);
    haveGrammar_ = true;
    decoder_->ListenForFollowUp(awaiting);
    Discard();
    return 0;
}

std::vector<Utterance> CommandListener::Feed(std::span<const std::int16_t> samples) {
    std::vector<Utterance> heard;
    if (!haveGrammar_) {
        return heard;
    }
    while (!samples.empty()) {
        const std::size_t take = std::min(samples.size(), kFragmentSamples - pending_.size());
        pending_.insert(pending_.end(), samples.begin(), samples.begin() + static_cast<long>(take));
        samples = samples.subspan(take);
        if (pending_.size() == kFragmentSamples) {
            FeedFragment(pending_, heard);
            pending_.clear();
        }
    }
    return heard;
}

void CommandListener::FeedFragment(std::span<const std::int16_t> fragment, std::vector<Utterance>& heard) {
    decoder_->Process(fragment);
    samplesFed_ += static_cast<std::int64_t>(fragment.size());
    const bool inSpeech = decoder_->InSpeech();
    // The partial hypothesis costs a back-trace; it only matters once the speaker has paused. The
    // wake word alone is no whole command here: most players go on after a short breath, and the
    // command is best heard with the word that begins it.
    const Partial partial =
        inSpeech ? Partial::Nothing : ClassifyPartial(Listened(), decoder_->PartialHypothesis());
    const EndpointDecision decision = endpointer_.Step(kFragmentMs, inSpeech, partial);
    if (AwaitsCommand() && !endpointer_.InUtterance() && samplesFed_ > followUpUntil_) {
        decoder_->ListenForFollowUp(false);
    }
    if (endpointer_.InUtterance() || decision == EndpointDecision::End) {
        heardOverProgram_ = heardOverProgram_ || programSpeaking_;
        utterance_.insert(utterance_.end(), fragment.begin(), fragment.end());
    }
    if (decision == EndpointDecision::End) {
        if (std::optional<Utterance> utterance = EndAudibleUtterance()) {
            heard.push_back(std::move(*utterance));
        }
    }
}

std::optional<Utterance> CommandListener::EndAudibleUtterance() {
    // The decoder's voice-activity detector starts with no idea of the background's level and takes
    // the first stretch of any audio, even digital silence under its noise floor, for speech. What never
    // got as loud as speech is no utterance, not even one that matched nothing, and teaches the
    // cepstral mean nothing.
    const double loudest = LoudestDbfs(utterance_, kListenSampleRate / 10);
    if (loudest < kQuietestSpeechDbfs) {
        ForgetUtterance();
        return std::nullopt;
    }
    // The player sits at the microphone; other people at the table, a television, the program's own
    // echo are further off and much quieter. Sound far below the player's last command is theirs:
    // short words like "repeat" are found in it all too easily.
    // The player's level is the loudest utterance lately; it sinks slowly, so that a player who
    // shouted once is not held to it for the rest of the game.
    // What is heard over the program's own voice tells nothing of the player's level.
    if (std::exchange(heardOverProgram_, false)) {
        return EndUtterance(true);
    }
    if (const std::optional<double> level = PlayerDbfs()) {
        const double player = *level;
        if (loudest < player - kBackgroundBelowPlayerDb) {
            ForgetUtterance();
            return std::nullopt;
        }
        if (loudest < player) {
            return EndUtterance();
        }
    }
    playerDbfs_ = loudest;
    playerHeardAt_ = samplesFed_;
    return EndUtterance();
}

std::optional<double> CommandListener::PlayerDbfs() const {
    if (!playerDbfs_) {
        return std::nullopt;
    }
    const double minutes = static_cast<double>(samplesFed_ - playerHeardAt_) / (60.0 * kListenSampleRate);
    return *playerDbfs_ - kPlayerLevelSinksDbPerMinute * minutes;
}

Utterance CommandListener::EndUtterance(bool overProgram) {
    UtteranceEvidence evidence = decoder_->EndUtterance();
    endpointer_.Reset();
    utterance_.clear();

    Utterance utterance;
    utterance.endSample = samplesFed_;
    utterance.gapPerFrame = GapPerFrame(evidence);
    utterance.verdict = playerFit_.Weigh(evidence, utterance.gapPerFrame, overProgram);
    utterance.result.phrase = evidence.hypothesis;
    utterance.result.lacksWakeWord = utterance.verdict == Verdict::NoWakeWord;
    utterance.evidence = std::move(evidence);
    if (utterance.verdict == Verdict::Command) {
        if (grammar_.wakeWord && NormalizeWords(utterance.evidence.hypothesis) == kWakeWord) {
            utterance.wakeWordAlone = true;
        } else if (const std::optional<GrammarMatch> match = Listened().Find(utterance.evidence.hypothesis)) {
            utterance.command = true;
            utterance.result.ruleName = match->rule->name;
            utterance.result.properties = match->phrase->properties;
        }
    }
    // Whatever it was, the one utterance after the wake word alone has been heard.
    decoder_->ListenForFollowUp(utterance.wakeWordAlone);
    followUpUntil_ = samplesFed_ + std::int64_t{kFollowUpSeconds} * kListenSampleRate;
    decoder_->StartUtterance();
    return utterance;
}

bool CommandListener::AwaitsCommand() const {
    return decoder_->ListensForFollowUp();
}

const Grammar& CommandListener::Listened() const {
    return AwaitsCommand() ? followUp_ : grammar_;
}

std::optional<Utterance> CommandListener::Finish() {
    if (!pending_.empty()) {
        std::vector<Utterance> heard;
        pending_.resize(kFragmentSamples, 0);
        FeedFragment(pending_, heard);
        pending_.clear();
        if (!heard.empty()) {
            return heard.front();
        }
    }
    if (!endpointer_.InUtterance()) {
        return std::nullopt;
    }
    return EndAudibleUtterance();
}

void CommandListener::Discard() {
    ForgetUtterance();
    pending_.clear();
}

void CommandListener::ForgetUtterance() {
    heardOverProgram_ = false;
    decoder_->DiscardUtterance();
    decoder_->StartUtterance();
    endpointer_.Reset();
    utterance_.clear();
}

} // namespace dorva::voice::engine
