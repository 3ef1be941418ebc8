#include "voice/engine/EspeakVoice.h"

#include "voice/SpeechMarkup.h"
#include "voice/engine/PulseStreams.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <condition_variable>
#include <deque>
#include <iostream>
#include <mutex>
#include <thread>
#include <utility>

namespace dorva::voice::engine {
namespace {

// About a tenth of a second in the server's buffer: the first word sounds soon after Speak, and the
// worker can still stop within that time.
constexpr int kPlaybackBufferMs = 100;
// espeak-ng hands over audio in pieces of this length.
constexpr int kSynthesisChunkMs = 20;

std::string StatusText(espeak_ng_STATUS status) {
    char buffer[512] = {};
    espeak_ng_GetStatusCodeMessage(status, buffer, sizeof buffer);
    return buffer;
}

// The voice plays through the echo canceller where the server has one, so that the recogniser can
// take it out of what the microphone hears; else to the default speaker.
std::unique_ptr<PulsePlayback> OpenPlayback(int sampleRate, const std::atomic<bool>& stop,
                                            std::string& error) {
    std::string ignored;
    const std::optional<EchoDevices> echo = UseEchoCanceller(stop, ignored);
    return PulsePlayback::Open(sampleRate, kPlaybackBufferMs, echo ? echo->sink : std::string(), stop, error);
}

class VoiceWorker;

int OnSynthesized(short* samples, int count, espeak_EVENT* events);

// espeak-ng is one synthesiser per process with global state: initialised once, and used by one
// thread at a time.
struct EspeakRuntime {
    std::mutex mutex;
    espeak_ng_STATUS status = ENS_NOT_INITIALIZED;
    std::string detail;
    int sampleRate = 0;
    std::string voice; // the voice espeak-ng has loaded

    espeak_ng_STATUS UseVoice(const std::string& name) {
        if (name == voice) {
            return ENS_OK;
        }
        const espeak_ng_STATUS loaded = espeak_ng_SetVoiceByName(name.c_str());
        voice = loaded == ENS_OK ? name : std::string();
        return loaded;
    }

    EspeakRuntime() {
        espeak_ng_InitializePath(nullptr);
        espeak_ng_ERROR_CONTEXT context = nullptr;
        status = espeak_ng_Initialize(&context);
        espeak_ng_ClearErrorContext(&context);
        if (status != ENS_OK) {
            detail = "espeak-ng could not start: " + StatusText(status);
            return;
        }
        status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, kSynthesisChunkMs, nullptr);
        if (status != ENS_OK) {
            detail = "espeak-ng could not set up its output: " + StatusText(status);
            return;
        }
        espeak_SetSynthCallback(OnSynthesized);
        sampleRate = espeak_ng_GetSampleRate();
    }
};

EspeakRuntime& Runtime() {
    static EspeakRuntime runtime;
    return runtime;
}

class VoiceWorker final : public Stoppable {
public:
    VoiceWorker(std::string voiceName, std::shared_ptr<PlaybackGate> gate,
                std::unique_ptr<PulsePlayback> playback)
        : voiceName_(std::move(voiceName)), gate_(std::move(gate)), playback_(std::move(playback)) {
        thread_ = std::thread(&VoiceWorker::Run, this);
    }
    ~VoiceWorker() override { Stop(); }

    void Enqueue(std::string ssml) {
        {
            const std::lock_guard lock(mutex_);
            if (stop_) {
                return;
            }
            queue_.push_back(std::move(ssml));
        }
        wake_.notify_one();
    }

    void Stop() override {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_one();
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    // On the worker, from inside espeak_ng_Synthesize: 0 goes on, 1 stops the synthesis.
    int Play(const short* samples, int count) {
        if (stop_ || !playback_) {
            return 1;
        }
        if (gate_->TakeInterrupt()) {
            interrupted_ = true;
            return 1;
        }
        std::string error;
        if (count > 0 &&
            !playback_->Write(std::span<const std::int16_t>(samples, static_cast<std::size_t>(count)), stop_,
                              error)) {
            Report(error);
            playback_.reset();
            return 1;
        }
        return 0;
    }

private:
    void Run() {
        while (true) {
            std::string ssml;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
                if (stop_) {
                    return;
                }
                ssml = std::move(queue_.front());
                queue_.pop_front();
            }
            gate_->Saying(ssml);
            gate_->Playing();
            Speak(ssml);
            bool more = false;
            {
                const std::lock_guard lock(mutex_);
                if (interrupted_) {
                    queue_.clear();
                }
                more = !queue_.empty();
            }
            if (!more) {
                std::string error;
                // What the server still holds would go on sounding over the player for a tenth of a
                // second.
                if (std::exchange(interrupted_, false) && playback_ && !playback_->Flush(error) && !stop_) {
                    Report(error);
                    playback_.reset();
                }
                if (playback_ && !playback_->Drain(stop_, error) && !stop_) {
                    Report(error);
                    playback_.reset();
                }
                gate_->Quiet();
            }
        }
    }

    void Speak(const std::string& ssml) {
        EspeakRuntime& runtime = Runtime();
        if (!playback_) {
            // The server went away earlier; it may be back.
            std::string error;
            playback_ = OpenPlayback(runtime.sampleRate, stop_, error);
            if (!playback_) {
                Report(error);
                return;
            }
        }
        const std::lock_guard lock(runtime.mutex);
        runtime.UseVoice(voiceName_);
        const espeak_ng_STATUS status = espeak_ng_Synthesize(ssml.c_str(), ssml.size() + 1, 0, POS_CHARACTER,
                                                             0, espeakCHARS_UTF8 | espeakSSML, nullptr, this);
        if (status != ENS_OK && status != ENS_SPEECH_STOPPED && !stop_) {
            Report("espeak-ng: " + StatusText(status));
        }
    }

    // A failure while the program runs is no reason to stop it; the player hears nothing and the
    // reason goes to standard error, once until speaking works again.
    void Report(const std::string& error) {
        if (error != lastError_) {
            std::cerr << "DORVA II speech: " << error << "\n";
            lastError_ = error;
        }
    }

    std::string voiceName_;
    std::shared_ptr<PlaybackGate> gate_;
    std::unique_ptr<PulsePlayback> playback_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::string> queue_;
    std::atomic<bool> stop_{false};
    bool interrupted_ = false; // on the worker: the player talked over what it was saying
    std::string lastError_;
    std::thread thread_;
};

int OnSynthesized(short* samples, int count, espeak_EVENT* events) {
    auto* worker = events ? static_cast<VoiceWorker*>(events->user_data) : nullptr;
    return worker ? worker->Play(samples, count) : 1;
}

class EspeakVoice final : public platform::Voice {
public:
    explicit EspeakVoice(std::shared_ptr<VoiceWorker> worker) : worker_(std::move(worker)) {}
    ~EspeakVoice() override { worker_->Stop(); }

    long Speak(const std::string& text, int flags) override {
        worker_->Enqueue(ToEspeakSsml(text, flags));
        return 0;
    }

private:
    std::shared_ptr<VoiceWorker> worker_;
};

} // namespace

long CreateEspeakVoice(const std::string& voiceName, std::shared_ptr<PlaybackGate> gate,
                       std::unique_ptr<platform::Voice>& voice, std::shared_ptr<Stoppable>& control,
                       std::string& detail) {
    voice.reset();
    EspeakRuntime& runtime = Runtime();
    {
        const std::lock_guard lock(runtime.mutex);
        if (runtime.status != ENS_OK) {
            detail = runtime.detail;
            return platform::kErrNoVoiceEngine;
        }
        if (const espeak_ng_STATUS status = runtime.UseVoice(voiceName); status != ENS_OK) {
            detail = "espeak-ng has no voice " + voiceName + ": " + StatusText(status);
            return platform::kErrNoVoiceEngine;
        }
    }
    // Set up on a thread of its own; the program does not wait for it when it ends.
    static const std::atomic<bool> kNeverStopped{false};
    std::unique_ptr<PulsePlayback> playback = OpenPlayback(runtime.sampleRate, kNeverStopped, detail);
    if (!playback) {
        return platform::kErrNoAudioServer;
    }
    auto worker = std::make_shared<VoiceWorker>(voiceName, std::move(gate), std::move(playback));
    control = worker;
    voice = std::make_unique<EspeakVoice>(std::move(worker));
    return 0;
}

} // namespace dorva::voice::engine
