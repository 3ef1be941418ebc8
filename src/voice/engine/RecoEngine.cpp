#include "voice/engine/RecoEngine.h"

#include "data/SupportFolder.h"
#include "voice/AudioLevel.h"
#include "voice/BargeIn.h"
#include "voice/Grammar.h"
#include "voice/SerialDelivery.h"
#include "voice/engine/CommandListener.h"
#include "voice/engine/Lessons.h"
#include "voice/engine/PulseStreams.h"
#include "voice/engine/SphinxDecoder.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

#include <condition_variable>
#include <functional>
#include <future>
#include <iostream>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace dorva::voice::engine {
namespace {

// Fragments of 30 ms from the server: short enough for a quick end of command, long enough not to
// wake the worker needlessly.
constexpr int kCaptureFragmentMs = 30;
// After the server went away, how often the worker tries to reach it again.
constexpr auto kReconnectEvery = std::chrono::seconds(2);
constexpr auto kWorkerWake = std::chrono::milliseconds(100);

void ReportFailure(const std::string& what, long error, const std::string& detail) {
    std::cerr << "DORVA II speech: " << what << " failed with error " << error << ": " << detail << "\n";
}

struct RecoEvent {
    enum class Kind {
        Recognition,
        FalseRecognition,
        AudioLevel,
        Failure,
        Recovery,
        SpokenOver,
        WakeWord,
        WakeWordExpired,
        LessonHeard, // level: the lesson's index; error: 1 when it was understood
        LessonsLearnt
    } kind;
    platform::RecoResult result;
    int level = 0;
    long error = 0; // of a failure
    platform::LessonsResult lessons{};
};

// The lesson recording keeps at most this much of what came before the lesson's end: enough for a
// slow phrase with the pause before it, not a minute of a player who walked away.
constexpr std::size_t kLessonSamples = 12 * kListenSampleRate;

long ErrorOf(PulseFault fault) {
    return fault == PulseFault::Device ? platform::kErrNoMicrophone : platform::kErrNoAudioServer;
}

// The listener as it comes from the thread that loads it.
struct LoadedListener {
    std::unique_ptr<CommandListener> listener;
    long error = 0;
    std::string detail;
};

// What the context and its grammar share: the listener, the capture and the worker that decodes.
//
// The recogniser's two decoders take about a quarter of a second to load. They load on a thread of
// their own once listening starts, so that start-up (and the set-up screen) never waits for them: what
// can fail at once is checked at once (the model's files when the context is made, the grammar and its
// words against the dictionary when it is loaded, the audio server when listening starts), and the
// worker takes the listener and the grammar when the load is done. What fails later (a model that is
// there but cannot be loaded after all, the server or the microphone going away) reaches the program
// as a failure event; the capture is tried again every two seconds, and a recovery event follows
// when it works again.
class RecognizerCore final : public Stoppable {
public:
    RecognizerCore(EngineSettings settings, std::shared_ptr<PlaybackGate> gate)
        : settings_(std::move(settings)), dictionary_(CommandListener::Settings(settings_).dictionary),
          gate_(std::move(gate)) {}
    ~RecognizerCore() override { Stop(); }

    using Sink = std::function<void(RecoEvent)>;
    // The sink is called on the worker; clearing it waits for a call under way.
    void SetSink(Sink sink) {
        const std::lock_guard lock(sinkMutex_);
        sink_ = std::move(sink);
    }

    std::atomic<int> interests{0};
    // The program's voice falls silent when the player talks over it ("Stop speaking when I talk").
    std::atomic<bool> stopWhenTalkedOver{true};

    long LoadGrammar(const std::string& path, std::string& detail) {
        GrammarReading reading = ReadGrammarFile(path);
        if (!reading.grammar) {
            detail = path + (reading.errorLine ? ":" + std::to_string(reading.errorLine) : "") + ": " +
                     reading.error;
            return platform::kErrGrammarFile;
        }
        std::string dictionary;
        if (!data::ReadFileBytes(dictionary_, dictionary)) {
            detail = "the pronunciation dictionary " + dictionary_.string() + " cannot be read";
            return platform::kErrNoAcousticModel;
        }
        if (const std::vector<std::string> missing = WordsMissingFrom(*reading.grammar, dictionary);
            !missing.empty()) {
            detail = "the pronunciation dictionary lacks:";
            for (const std::string& word : missing) {
                detail += (&word == &missing.front() ? " " : ", ") + word;
            }
            return platform::kErrGrammarWord;
        }
        const std::lock_guard lock(listenerMutex_);
        grammar_ = std::move(*reading.grammar);
        grammarChanged_ = true;
        return 0;
    }

    void SetWakeWord(bool on) {
        const std::lock_guard lock(listenerMutex_);
        grammarChanged_ = grammarChanged_ || wakeWord_ != on;
        wakeWord_ = on;
    }

    void SetPronunciations(const std::string& text) {
        const std::lock_guard lock(listenerMutex_);
        settings_.pronunciations = ParsePronunciations(text);
        // A listener loaded or loading hears with the old ones: a fresh one is loaded in its place.
        reload_ = listener_ || loading_.valid();
    }

    long BeginLessons() {
        const std::lock_guard control(controlMutex_);
        if (!worker_.joinable()) {
            return platform::kErrNoRecognizer;
        }
        const std::lock_guard lock(listenerMutex_);
        if (learning_.valid()) {
            return platform::kErrNoRecognizer;
        }
        lessons_ = true;
        lessonIndex_ = 0;
        lessonAudio_.assign(std::size(kLessonPhrases), {});
        heardSince_.clear();
        // The lessons' phrases are said without the wake word.
        grammarChanged_ = true;
        return 0;
    }

    void CancelLessons() {
        const std::lock_guard lock(listenerMutex_);
        if (lessons_ && !learning_.valid()) {
            EndLessons();
        }
    }

    bool RepeatLesson(int lesson) {
        const std::lock_guard lock(listenerMutex_);
        if (!lessons_ || learning_.valid() || lesson < 0 || static_cast<std::size_t>(lesson) > lessonIndex_) {
            return false;
        }
        // The recordings from this lesson on are each taken again before the learning can begin.
        lessonIndex_ = static_cast<std::size_t>(lesson);
        // The phrase said again comes after whatever was heard since the last one.
        heardSince_.clear();
        return true;
    }

    long Activate(std::string& detail) {
        const std::lock_guard control(controlMutex_);
        if (stopped_) {
            detail = "the speech platform has ended";
            return platform::kErrNoRecognizer;
        }
        {
            const std::lock_guard lock(listenerMutex_);
            if (grammar_.rules.empty()) {
                detail = "no grammar is loaded";
                return platform::kErrGrammarFile;
            }
        }
        if (worker_.joinable()) {
            return 0;
        }
        PulseFault fault = PulseFault::Server;
        std::unique_ptr<PulseCapture> capture = OpenCapture(abort_, detail, fault);
        if (!capture) {
            return ErrorOf(fault);
        }
        {
            const std::lock_guard lock(listenerMutex_);
            if (!listener_ && !loading_.valid()) {
                loading_ = std::async(std::launch::async, [settings = settings_] {
                    LoadedListener loaded;
                    loaded.error = CommandListener::Open(settings, loaded.listener, loaded.detail);
                    return loaded;
                });
            }
        }
        stopWorker_ = false;
        worker_ = std::thread(&RecognizerCore::Run, this, std::move(capture));
        return 0;
    }

    void Deactivate() {
        const std::lock_guard control(controlMutex_);
        EndWorker();
    }

    void Stop() override {
        // Raised before the lock: Activate may hold it while it waits for a frozen server.
        abort_ = true;
        stopWorker_ = true;
        stopLearning_ = true;
        const std::lock_guard control(controlMutex_);
        stopped_ = true;
        EndWorker();
    }

private:
    // Called with the listener's lock held.
    void EndLessons() {
        lessons_ = false;
        lessonAudio_.clear();
        heardSince_.clear();
        grammarChanged_ = true;
    }

    // An utterance heard during the lessons, with the listener's lock held: the next lesson's phrase,
    // or not. After the last one the learning starts on a thread of its own, so that the worker goes
    // on taking the audio in (and hears nothing as a command) until it is done.
    void TakeLesson(const Utterance& heard) {
        if (lessonIndex_ >= lessonAudio_.size()) {
            return;
        }
        const bool understood = HeardNumberPhones(heard.evidence, kLessonPhrases[lessonIndex_]).has_value();
        if (understood) {
            lessonAudio_[lessonIndex_] = std::move(heardSince_);
        }
        heardSince_.clear();
        Post({RecoEvent::Kind::LessonHeard, {}, static_cast<int>(lessonIndex_), understood ? 1 : 0, {}});
        if (understood && ++lessonIndex_ == lessonAudio_.size()) {
            learning_ = std::async(std::launch::async, [this, settings = settings_, grammar = grammar_,
                                                        recordings = std::move(lessonAudio_)] {
                return LearnFromLessons(settings, grammar, recordings, &stopLearning_);
            });
            lessonAudio_.clear();
        }
    }

    // Once the learning is done: the listener is loaded again with what it learnt, and commands are
    // obeyed again. With the listener's lock held.
    void TakeLearning() {
        if (!learning_.valid() || learning_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            return;
        }
        const LessonOutcome outcome = learning_.get();
        platform::LessonsResult result;
        result.error = outcome.error;
        result.detail = outcome.detail;
        result.heardRight = outcome.heardRight;
        result.lessons = static_cast<int>(std::size(kLessonPhrases));
        if (outcome.error == 0) {
            settings_.pronunciations = outcome.learnt;
            reload_ = true;
            result.pronunciations = FormatPronunciations(outcome.learnt);
        }
        EndLessons();
        Post({RecoEvent::Kind::LessonsLearnt, {}, 0, 0, std::move(result)});
    }

    void EndWorker() {
        {
            const std::lock_guard lock(samplesMutex_);
            stopWorker_ = true;
        }
        samplesReady_.notify_one();
        if (worker_.joinable()) {
            worker_.join();
        }
    }

    // From the echo canceller where the server has one: then the program's own voice is taken out
    // of what is heard, and the playback gate is not needed.
    std::unique_ptr<PulseCapture> OpenCapture(const std::atomic<bool>& stop, std::string& detail,
                                              PulseFault& fault) {
        std::string why;
        const std::optional<EchoDevices> echo = UseEchoCanceller(stop, why);
        if (!echo && !echoReported_.exchange(true)) {
            std::cerr << "DORVA II speech: no echo cancelling (" << why
                      << "); nothing is heard while the program speaks\n";
        }
        echoCancelled_ = echo.has_value();
        return PulseCapture::Open(
            kListenSampleRate, kCaptureFragmentMs, echo ? echo->source : std::string(),
            [this](std::span<const std::int16_t> samples) {
                {
                    const std::lock_guard lock(samplesMutex_);
                    samples_.insert(samples_.end(), samples.begin(), samples.end());
                }
                samplesReady_.notify_one();
            },
            stop, detail, fault);
    }

    void Post(RecoEvent event) {
        const std::lock_guard lock(sinkMutex_);
        if (sink_) {
            sink_(std::move(event));
        }
    }

    void PostFailure(const std::string& what, long error, const std::string& detail) {
        ReportFailure(what, error, detail);
        Post({RecoEvent::Kind::Failure, {}, 0, error});
    }

    // The listener when it has loaded, with the grammar loaded last; false when it cannot listen.
    bool ListenerReady() {
        const std::lock_guard lock(listenerMutex_);
        TakeLearning();
        // New pronunciations of the player's: a fresh listener, once the utterance going on has ended.
        if (reload_ && !loading_.valid() && (!listener_ || !listener_->InUtterance())) {
            reload_ = false;
            listener_.reset();
            grammarChanged_ = true;
            loading_ = std::async(std::launch::async, [settings = settings_] {
                LoadedListener loaded;
                loaded.error = CommandListener::Open(settings, loaded.listener, loaded.detail);
                return loaded;
            });
        }
        if (!listener_ && loading_.valid()) {
            LoadedListener loaded = loading_.get();
            if (loaded.error != 0) {
                PostFailure("loading the recogniser", loaded.error, loaded.detail);
            }
            listener_ = std::move(loaded.listener);
        }
        // A change waits for the utterance going on to end, which was heard against the grammar it
        // began with.
        if (listener_ && grammarChanged_ && !listener_->InUtterance()) {
            grammarChanged_ = false;
            std::string detail;
            if (const long error =
                    listener_->SetGrammar(wakeWord_ && !lessons_ ? WithWakeWord(grammar_) : grammar_, detail);
                error != 0) {
                PostFailure("loading the command grammar", error, detail);
                listener_.reset();
            }
        }
        return listener_ != nullptr;
    }

    void Run(std::unique_ptr<PulseCapture> capture) {
        if (!ListenerReady()) {
            return;
        }
        AudioLevelMeter meter(kListenSampleRate);
        BargeIn bargeIn(kListenSampleRate);
        bool overlapped = false;      // the utterance going on was heard in part while the program spoke
        bool awaitingCommand = false; // the program was told of the wake word alone
        std::vector<std::int16_t> samples;
        auto nextReconnect = std::chrono::steady_clock::now();
        long failure = 0; // the failure the program was told of last, 0 while the capture works
        while (true) {
            {
                std::unique_lock lock(samplesMutex_);
                samplesReady_.wait_for(lock, kWorkerWake,
                                       [this] { return stopWorker_ || !samples_.empty(); });
                if (stopWorker_) {
                    break;
                }
                samples.swap(samples_);
                samples_.clear();
            }
            if (capture && capture->Failed()) {
                failure = ErrorOf(capture->Fault());
                PostFailure("listening", failure,
                            failure == platform::kErrNoMicrophone
                                ? "the microphone went away; listening again when there is one"
                                : "the audio server ended the capture; listening again when it is back");
                capture.reset();
                const std::lock_guard lock(listenerMutex_);
                listener_->Discard();
                nextReconnect = std::chrono::steady_clock::now() + kReconnectEvery;
            }
            if (!capture) {
                if (std::chrono::steady_clock::now() >= nextReconnect) {
                    std::string detail;
                    PulseFault fault = PulseFault::Server;
                    capture = OpenCapture(stopWorker_, detail, fault);
                    nextReconnect = std::chrono::steady_clock::now() + kReconnectEvery;
                    if (capture) {
                        failure = 0;
                        Post({RecoEvent::Kind::Recovery, {}, 0, 0});
                    } else if (ErrorOf(fault) != failure && !stopWorker_) {
                        failure = ErrorOf(fault);
                        PostFailure("listening again", failure, detail);
                    }
                }
                continue;
            }
            if (samples.empty()) {
                continue;
            }
            if ((interests & platform::kAudioLevelInterest) != 0) {
                for (const int level : meter.Add(samples)) {
                    Post({RecoEvent::Kind::AudioLevel, {}, level});
                }
            }
            if (!ListenerReady()) {
                break;
            }
            const std::lock_guard lock(listenerMutex_);
            // With a canceller, the player talking over the voice silences it: the canceller cuts
            // speech that the voice covers to pieces.
            if (echoCancelled_ && bargeIn.Feed(samples, gate_->Sounding(), listener_->PlayerDbfs()) &&
                stopWhenTalkedOver) {
                gate_->Interrupt();
            }
            // Without one the microphone hears the program as well as the player while it speaks, and
            // what is heard then is not obeyed. It is still decoded: a command heard in it whose words
            // the program is not saying is the player's, who is asked to say it again instead of
            // hearing nothing.
            const bool speaking = !echoCancelled_ && gate_->Muted();
            overlapped = overlapped || (speaking && listener_->InUtterance());
            listener_->SetProgramSpeaking(speaking || gate_->Muted());
            if (lessons_) {
                heardSince_.insert(heardSince_.end(), samples.begin(), samples.end());
                if (heardSince_.size() > kLessonSamples) {
                    heardSince_.erase(heardSince_.begin(),
                                      heardSince_.end() - static_cast<std::ptrdiff_t>(kLessonSamples));
                }
            }
            for (Utterance& heard : listener_->Feed(samples)) {
                if (lessons_) {
                    TakeLesson(heard);
                    continue;
                }
                awaitingCommand = false;
                if (speaking || overlapped) {
                    overlapped = false;
                    if (heard.command && !gate_->SaidByProgram(heard.result.phrase)) {
                        Post({RecoEvent::Kind::SpokenOver, std::move(heard.result), 0});
                    }
                    continue;
                }
                if (heard.wakeWordAlone) {
                    awaitingCommand = true;
                    Post({RecoEvent::Kind::WakeWord, {}, 0});
                    continue;
                }
                Post({heard.command ? RecoEvent::Kind::Recognition : RecoEvent::Kind::FalseRecognition,
                      std::move(heard.result), 0});
            }
            overlapped = overlapped || (speaking && listener_->InUtterance());
            // The wait ran out, or the wake word was switched off: what the player was told no longer
            // holds.
            if (awaitingCommand && !listener_->AwaitsCommand()) {
                awaitingCommand = false;
                Post({RecoEvent::Kind::WakeWordExpired, {}, 0});
            }
        }
        // The capture ends here, on the worker, before the thread does.
        capture.reset();
    }

    EngineSettings settings_;
    std::future<LoadedListener> loading_;
    std::filesystem::path dictionary_;
    std::unique_ptr<CommandListener> listener_;
    Grammar grammar_;             // the grammar loaded last
    bool grammarChanged_ = false; // not yet handed to the listener
    bool wakeWord_ = false;       // every phrase begins with the wake word
    bool reload_ = false;         // the player's pronunciations changed since the listener was loaded
    // The voice lessons: while they go on, what is heard is taken as their phrases, in order.
    bool lessons_ = false;
    std::size_t lessonIndex_ = 0;
    std::vector<std::vector<std::int16_t>> lessonAudio_; // of each lesson heard so far
    std::vector<std::int16_t> heardSince_;               // since the last utterance ended
    std::future<LessonOutcome> learning_;
    std::atomic<bool> stopLearning_{false};
    std::mutex listenerMutex_;
    std::shared_ptr<PlaybackGate> gate_;

    std::mutex sinkMutex_;
    Sink sink_;

    std::mutex controlMutex_;
    bool stopped_ = false;
    std::atomic<bool> abort_{false};         // the platform is ending: no more waiting for the server
    std::atomic<bool> echoCancelled_{false}; // the capture comes from the echo canceller
    std::atomic<bool> echoReported_{false};
    std::thread worker_;

    std::mutex samplesMutex_;
    std::condition_variable samplesReady_;
    std::vector<std::int16_t> samples_;
    std::atomic<bool> stopWorker_{false};
};

class EngineRecoGrammar final : public platform::RecoGrammar {
public:
    explicit EngineRecoGrammar(std::shared_ptr<RecognizerCore> core) : core_(std::move(core)) {}

    long DictationSetState(int state) override {
        // Only commands are recognised; switching dictation on is not offered.
        return state == 0 ? 0 : platform::kErrNoRecognizer;
    }

    long CmdLoadFromFile(const std::string& path, int /*loadOption*/) override {
        std::string detail;
        const long error = core_->LoadGrammar(path, detail);
        if (error != 0) {
            ReportFailure("loading the command grammar", error, detail);
        }
        return error;
    }

    long SetWakeWord(bool on) override {
        core_->SetWakeWord(on);
        return 0;
    }

    long CmdSetRuleIdState(int ruleId, int state) override {
        if (ruleId != 0) {
            // Rules are switched all together (rule id 0); single rules have no ids here.
            ReportFailure("switching a single rule", platform::kErrGrammarFile,
                          "only rule id 0 (all rules) is known");
            return platform::kErrGrammarFile;
        }
        if (state == 0) {
            core_->Deactivate();
            return 0;
        }
        std::string detail;
        const long error = core_->Activate(detail);
        if (error != 0) {
            ReportFailure("starting to listen", error, detail);
        }
        return error;
    }

private:
    std::shared_ptr<RecognizerCore> core_;
};

class EngineRecoContext final : public platform::RecoContext {
public:
    explicit EngineRecoContext(std::shared_ptr<RecognizerCore> core)
        : core_(std::move(core)), receiver_(std::make_unique<QObject>()) {
        // The program sets the engines up on a thread of its own; the events belong to the
        // user-interface thread all the same.
        if (const QCoreApplication* app = QCoreApplication::instance()) {
            receiver_->moveToThread(app->thread());
        }
        QObject* receiver = receiver_.get();
        core_->SetSink([this, receiver](RecoEvent event) {
            QMetaObject::invokeMethod(
                receiver, [this, event = std::move(event)] { Deliver(event); }, Qt::QueuedConnection);
        });
    }

    ~EngineRecoContext() override {
        core_->SetSink(nullptr);
        // Events still queued for the receiver go with it.
        receiver_.reset();
    }

    long CreateGrammar(int /*grammarId*/, std::unique_ptr<platform::RecoGrammar>& grammar) override {
        grammar = std::make_unique<EngineRecoGrammar>(core_);
        return 0;
    }

    int EventInterests() const override { return core_->interests; }
    void SetEventInterests(int interests) override { core_->interests = interests; }
    void SetStopWhenTalkedOver(bool on) override { core_->stopWhenTalkedOver = on; }
    void SetPronunciations(const std::string& pronunciations) override {
        core_->SetPronunciations(pronunciations);
    }
    long BeginLessons() override { return core_->BeginLessons(); }
    void CancelLessons() override { core_->CancelLessons(); }
    bool RepeatLesson(int lesson) override { return core_->RepeatLesson(lesson); }

private:
    void Deliver(const RecoEvent& event) {
        switch (event.kind) {
        case RecoEvent::Kind::AudioLevel:
            if ((core_->interests & platform::kAudioLevelInterest) != 0 && onAudioLevel) {
                onAudioLevel(event.level);
            }
            return;
        case RecoEvent::Kind::Recognition:
            RunInTurn(&platform::RecoContext::onRecognition, event.result);
            return;
        case RecoEvent::Kind::FalseRecognition:
            RunInTurn(&platform::RecoContext::onFalseRecognition, event.result);
            return;
        case RecoEvent::Kind::Failure:
            if (onFailure) {
                onFailure(event.error);
            }
            return;
        case RecoEvent::Kind::Recovery:
            if (onRecovery) {
                onRecovery();
            }
            return;
        case RecoEvent::Kind::SpokenOver:
            RunInTurn(&platform::RecoContext::onSpokenOver);
            return;
        case RecoEvent::Kind::WakeWord:
            RunInTurn(&platform::RecoContext::onWakeWord);
            return;
        case RecoEvent::Kind::WakeWordExpired:
            RunInTurn(&platform::RecoContext::onWakeWordExpired);
            return;
        case RecoEvent::Kind::LessonHeard:
            RunInTurn(&platform::RecoContext::onLessonHeard, event.level, event.error != 0);
            return;
        case RecoEvent::Kind::LessonsLearnt:
            RunInTurn(&platform::RecoContext::onLessonsLearnt, event.lessons);
            return;
        }
    }

    // The handler is read when its turn comes: one set meanwhile is the one called.
    template <typename... Args>
    void RunInTurn(std::function<void(Args...)> platform::RecoContext::*handler, std::decay_t<Args>... args) {
        serial_.Run([this, handler, args...] {
            if (this->*handler) {
                (this->*handler)(args...);
            }
        });
    }

    std::shared_ptr<RecognizerCore> core_;
    std::unique_ptr<QObject> receiver_;
    SerialDelivery serial_;
};

} // namespace

long CreateEngineRecoContext(const EngineSettings& settings, std::shared_ptr<PlaybackGate> gate,
                             std::unique_ptr<platform::RecoContext>& context,
                             std::shared_ptr<Stoppable>& control, std::string& detail) {
    context.reset();
    const DecoderSettings decoderSettings = CommandListener::Settings(settings);
    if (std::string problem = SphinxDecoder::SettingsProblem(decoderSettings); !problem.empty()) {
        detail = std::move(problem);
        return platform::kErrNoAcousticModel;
    }
    auto core = std::make_shared<RecognizerCore>(settings, std::move(gate));
    control = core;
    context = std::make_unique<EngineRecoContext>(std::move(core));
    return 0;
}

} // namespace dorva::voice::engine
