#include "voice/engine/PulseStreams.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <pulse/introspect.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace dorva::voice::engine {

namespace {

constexpr auto kConnectDeadline = std::chrono::seconds(5);
constexpr auto kPoll = std::chrono::milliseconds(2);
constexpr const char* kClientName = "DORVA II";

} // namespace

// A connection to the server with its own thread, and at most one stream.
struct PulseLoop {
    pa_threaded_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    PulseCapture::SampleHandler onSamples;   // record streams only
    std::vector<std::int16_t> hole;          // silence for the gaps the server reports
    std::atomic<bool> failed{false};         // the context or the stream has ended
    std::atomic<bool> contextFailed{false};  // the context has: the server went away
    const std::atomic<bool>* stop = nullptr; // raised, every wait for the server ends at once
    std::chrono::milliseconds deadline = kConnectDeadline;
    std::string device; // of the stream; empty: the server's default
    bool started = false;

    ~PulseLoop() {
        if (loop && started) {
            pa_threaded_mainloop_lock(loop);
        }
        if (stream) {
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_set_read_callback(stream, nullptr, nullptr);
            pa_stream_disconnect(stream);
            pa_stream_unref(stream);
        }
        if (context) {
            pa_context_set_state_callback(context, nullptr, nullptr);
            pa_context_disconnect(context);
            pa_context_unref(context);
        }
        if (loop && started) {
            pa_threaded_mainloop_unlock(loop);
            pa_threaded_mainloop_stop(loop);
        }
        if (loop) {
            pa_threaded_mainloop_free(loop);
        }
    }

    class Lock {
    public:
        explicit Lock(pa_threaded_mainloop* m) : m_(m) { pa_threaded_mainloop_lock(m_); }
        ~Lock() { pa_threaded_mainloop_unlock(m_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        pa_threaded_mainloop* m_;
    };

    std::string ContextError() const {
        const int code = context ? pa_context_errno(context) : PA_ERR_INTERNAL;
        return std::string("PulseAudio: ") + pa_strerror(code);
    }

    static void OnContextState(pa_context* c, void* self) {
        const pa_context_state_t state = pa_context_get_state(c);
        if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED) {
            static_cast<PulseLoop*>(self)->contextFailed = true;
            static_cast<PulseLoop*>(self)->failed = true;
        }
    }
    static void OnStreamState(pa_stream* s, void* self) {
        const pa_stream_state_t state = pa_stream_get_state(s);
        if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) {
            static_cast<PulseLoop*>(self)->failed = true;
        }
    }
    static void OnReadable(pa_stream* s, size_t /*bytes*/, void* selfPointer) {
        auto* self = static_cast<PulseLoop*>(selfPointer);
        while (pa_stream_readable_size(s) > 0) {
            const void* data = nullptr;
            size_t bytes = 0;
            if (pa_stream_peek(s, &data, &bytes) < 0 || bytes == 0) {
                return;
            }
            const std::size_t count = bytes / sizeof(std::int16_t);
            if (data) {
                self->onSamples(std::span<const std::int16_t>(static_cast<const std::int16_t*>(data), count));
            } else {
                self->hole.assign(count, 0);
                self->onSamples(self->hole);
            }
            pa_stream_drop(s);
        }
    }

    // Connects the context; false with the reason in error.
    bool Connect(std::string& error) {
        loop = pa_threaded_mainloop_new();
        if (!loop) {
            error = "PulseAudio: cannot create a main loop";
            return false;
        }
        context = pa_context_new(pa_threaded_mainloop_get_api(loop), kClientName);
        if (!context) {
            error = "PulseAudio: cannot create a context";
            return false;
        }
        pa_context_set_state_callback(context, OnContextState, this);
        if (pa_context_connect(context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0) {
            error = ContextError();
            return false;
        }
        if (pa_threaded_mainloop_start(loop) < 0) {
            error = "PulseAudio: cannot start the main loop";
            return false;
        }
        started = true;
        return WaitUntil([this] { return pa_context_get_state(context) == PA_CONTEXT_READY; }, error);
    }

    // A stream that failed on a server that is still there lacks its device (no source or sink, or
    // the one it used was removed).
    PulseFault Fault() const {
        if (contextFailed || !context) {
            return PulseFault::Server;
        }
        return pa_context_errno(context) == PA_ERR_NOENTITY || failed ? PulseFault::Device
                                                                      : PulseFault::Server;
    }

    // Polls a condition under the loop's lock until it holds, the connection fails, the deadline
    // passes or stop is raised (a server that is frozen rather than gone answers nothing, and the
    // program must still end at once).
    template <typename Condition> bool WaitUntil(Condition ready, std::string& error) {
        const auto giveUp = std::chrono::steady_clock::now() + deadline;
        while (true) {
            {
                Lock lock(loop);
                if (ready()) {
                    return true;
                }
                if (failed) {
                    error = ContextError();
                    return false;
                }
            }
            if (std::chrono::steady_clock::now() > giveUp) {
                error = "PulseAudio: the server did not answer in time";
                return false;
            }
            if (stop && *stop) {
                error = "PulseAudio: stopped while waiting for the server";
                return false;
            }
            std::this_thread::sleep_for(kPoll);
        }
    }

    bool OpenStream(bool playback, int sampleRate, int bufferMs, std::string& error) {
        const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(sampleRate), 1};
        const auto bytes = static_cast<std::uint32_t>(sampleRate * bufferMs / 1000 * 2);
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = playback ? bytes : static_cast<std::uint32_t>(-1);
        // Playback starts after a fifth of the buffer, not when it is full: the first word sounds
        // sooner, and synthesis runs far ahead of real time, so the buffer never runs dry.
        attr.prebuf = playback ? bytes / 5 : static_cast<std::uint32_t>(-1);
        attr.minreq = static_cast<std::uint32_t>(-1);
        attr.fragsize = playback ? static_cast<std::uint32_t>(-1) : bytes;
        {
            Lock lock(loop);
            stream = pa_stream_new(context, playback ? "speech" : "voice commands", &format, nullptr);
            if (!stream) {
                error = ContextError();
                return false;
            }
            pa_stream_set_state_callback(stream, OnStreamState, this);
            const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY);
            if (!playback) {
                pa_stream_set_read_callback(stream, OnReadable, this);
            }
            const char* on = device.empty() ? nullptr : device.c_str();
            const int result = playback
                                   ? pa_stream_connect_playback(stream, on, &attr, flags, nullptr, nullptr)
                                   : pa_stream_connect_record(stream, on, &attr, flags);
            if (result < 0) {
                error = ContextError();
                return false;
            }
        }
        return WaitUntil([this] { return pa_stream_get_state(stream) == PA_STREAM_READY; }, error);
    }

    // Starts an operation whose callback raises done, and waits for it; an operation still under way
    // when the wait ends is cancelled, so that its callback never reaches the caller's variables.
    template <typename Start> bool Await(Start start, const std::atomic<bool>& done, std::string& error) {
        pa_operation* operation = nullptr;
        {
            Lock lock(loop);
            operation = start();
            if (!operation) {
                error = ContextError();
                return false;
            }
        }
        const bool ok = WaitUntil([&done] { return done.load(); }, error);
        Lock lock(loop);
        if (!ok) {
            pa_operation_cancel(operation);
        }
        pa_operation_unref(operation);
        return ok;
    }
};

PulsePlayback::PulsePlayback(std::unique_ptr<PulseLoop> loop) : loop_(std::move(loop)) {}
PulsePlayback::~PulsePlayback() = default;

std::unique_ptr<PulsePlayback> PulsePlayback::Open(int sampleRate, int bufferMs, const std::string& sink,
                                                   const std::atomic<bool>& stop, std::string& error) {
    auto loop = std::make_unique<PulseLoop>();
    loop->stop = &stop;
    loop->device = sink;
    if (!loop->Connect(error) || !loop->OpenStream(true, sampleRate, bufferMs, error)) {
        return nullptr;
    }
    return std::unique_ptr<PulsePlayback>(new PulsePlayback(std::move(loop)));
}

bool PulsePlayback::Write(std::span<const std::int16_t> samples, const std::atomic<bool>& stop,
                          std::string& error) {
    const auto* bytes = reinterpret_cast<const char*>(samples.data());
    std::size_t left = samples.size_bytes();
    while (left > 0) {
        if (stop) {
            return false;
        }
        std::size_t written = 0;
        {
            PulseLoop::Lock lock(loop_->loop);
            if (loop_->failed) {
                error = loop_->ContextError();
                return false;
            }
            const std::size_t room = pa_stream_writable_size(loop_->stream);
            if (room != static_cast<std::size_t>(-1) && room > 0) {
                written = std::min(room, left) & ~static_cast<std::size_t>(1);
                if (written > 0 &&
                    pa_stream_write(loop_->stream, bytes, written, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
                    error = loop_->ContextError();
                    return false;
                }
            }
        }
        if (written == 0) {
            std::this_thread::sleep_for(kPoll);
        }
        bytes += written;
        left -= written;
    }
    return true;
}

bool PulsePlayback::Drain(const std::atomic<bool>& stop, std::string& error) {
    std::atomic<bool> drained{false};
    pa_operation* operation = nullptr;
    {
        PulseLoop::Lock lock(loop_->loop);
        operation = pa_stream_drain(
            loop_->stream,
            [](pa_stream*, int, void* flag) { static_cast<std::atomic<bool>*>(flag)->store(true); },
            &drained);
        if (!operation) {
            error = loop_->ContextError();
            return false;
        }
    }
    bool ok = true;
    while (!drained) {
        if (stop || loop_->failed) {
            ok = false;
            break;
        }
        std::this_thread::sleep_for(kPoll);
    }
    PulseLoop::Lock lock(loop_->loop);
    if (!drained) {
        // The callback must not reach the flag once this function has returned.
        pa_operation_cancel(operation);
        if (loop_->failed) {
            error = loop_->ContextError();
        }
    }
    pa_operation_unref(operation);
    return ok;
}

bool PulsePlayback::Flush(std::string& error) {
    std::atomic<bool> flushed{false};
    return loop_->Await(
        [&] {
            return pa_stream_flush(
                loop_->stream,
                [](pa_stream*, int, void* flag) { static_cast<std::atomic<bool>*>(flag)->store(true); },
                &flushed);
        },
        flushed, error);
}

PulseCapture::PulseCapture(std::unique_ptr<PulseLoop> loop) : loop_(std::move(loop)) {}
PulseCapture::~PulseCapture() = default;

std::unique_ptr<PulseCapture> PulseCapture::Open(int sampleRate, int fragmentMs, const std::string& source,
                                                 SampleHandler onSamples, const std::atomic<bool>& stop,
                                                 std::string& error, PulseFault& fault) {
    auto loop = std::make_unique<PulseLoop>();
    loop->onSamples = std::move(onSamples);
    loop->stop = &stop;
    loop->device = source;
    if (!loop->Connect(error)) {
        fault = PulseFault::Server;
        return nullptr;
    }
    if (!loop->OpenStream(false, sampleRate, fragmentMs, error)) {
        const PulseLoop::Lock lock(loop->loop);
        fault = loop->Fault();
        return nullptr;
    }
    return std::unique_ptr<PulseCapture>(new PulseCapture(std::move(loop)));
}

bool PulseCapture::Failed() const {
    return loop_->failed;
}

PulseFault PulseCapture::Fault() const {
    const PulseLoop::Lock lock(loop_->loop);
    return loop_->Fault();
}

namespace {

// The canceller this process loaded, to be unloaded when it ends.
std::mutex gEchoMutex;
std::uint32_t gEchoModule = PA_INVALID_INDEX;

std::string EchoName(const char* what) {
    return "dorva2_echo_" + std::string(what) + "_" + std::to_string(::getpid());
}

} // namespace

namespace {

// Whether the server has a source of that name.
bool HasSource(PulseLoop& loop, const std::string& name, bool& exists, std::string& error) {
    struct Found {
        std::atomic<bool> done{false};
        bool exists = false;
    } found;
    const bool answered = loop.Await(
        [&] {
            return pa_context_get_source_info_by_name(
                loop.context, name.c_str(),
                [](pa_context*, const pa_source_info* info, int last, void* self) {
                    auto* f = static_cast<Found*>(self);
                    f->exists = f->exists || info != nullptr;
                    if (last != 0) {
                        f->done = true;
                    }
                },
                &found);
        },
        found.done, error);
    exists = found.exists;
    return answered;
}

} // namespace

std::optional<EchoDevices> UseEchoCanceller(const std::atomic<bool>& stop, std::string& error) {
    // No lock is held while the server is asked: a frozen server must not hold one stream's opening
    // behind another's. Two loading at once cannot both succeed (the names are taken); the one that
    // fails finds the other's.
    const EchoDevices devices{EchoName("sink"), EchoName("source")};
    PulseLoop loop;
    loop.stop = &stop;
    bool exists = false;
    if (!loop.Connect(error) || !HasSource(loop, devices.source, exists, error)) {
        return std::nullopt;
    }
    if (exists) {
        return devices;
    }
    struct Defaults {
        std::atomic<bool> done{false};
        std::string source, sink;
    } defaults;
    if (!loop.Await(
            [&] {
                return pa_context_get_server_info(
                    loop.context,
                    [](pa_context*, const pa_server_info* info, void* self) {
                        auto* d = static_cast<Defaults*>(self);
                        if (info) {
                            d->source = info->default_source_name ? info->default_source_name : "";
                            d->sink = info->default_sink_name ? info->default_sink_name : "";
                        }
                        d->done = true;
                    },
                    &defaults);
            },
            defaults.done, error)) {
        return std::nullopt;
    }
    if (defaults.source.empty() || defaults.sink.empty()) {
        error = "PulseAudio: no default microphone or speaker to cancel the echo between";
        return std::nullopt;
    }
    // Only the echo is taken out. The canceller's gain control would turn the player's microphone up and
    // down (and the level gate with it), and its noise suppression bends speech away from what the
    // acoustic model knows: through them the same spoken command scored from -20 to -34 against the
    // -30 gap; without them, -21 to -29. A server whose canceller knows no such settings gets the
    // canceller as it comes, which still beats none.
    const std::string devicesArguments = "source_master=" + defaults.source +
                                         " sink_master=" + defaults.sink + " source_name=" + devices.source +
                                         " sink_name=" + devices.sink;
    struct Loaded {
        std::atomic<bool> done{false};
        std::uint32_t index = PA_INVALID_INDEX;
    } loaded;
    for (const char* processing :
         {" aec_method=webrtc aec_args=\"analog_gain_control=0 digital_gain_control=0 noise_suppression=0\"",
          ""}) {
        const std::string arguments = devicesArguments + processing;
        loaded.done = false;
        if (!loop.Await(
                [&] {
                    return pa_context_load_module(
                        loop.context, "module-echo-cancel", arguments.c_str(),
                        [](pa_context*, std::uint32_t index, void* self) {
                            auto* l = static_cast<Loaded*>(self);
                            l->index = index;
                            l->done = true;
                        },
                        &loaded);
                },
                loaded.done, error)) {
            return std::nullopt;
        }
        if (loaded.index != PA_INVALID_INDEX) {
            break;
        }
    }
    if (loaded.index == PA_INVALID_INDEX) {
        if (HasSource(loop, devices.source, exists, error) && exists) {
            return devices;
        }
        error = "PulseAudio: the server has no echo canceller (module-echo-cancel)";
        return std::nullopt;
    }
    const std::lock_guard lock(gEchoMutex);
    gEchoModule = loaded.index;
    return devices;
}

void DropEchoCanceller() {
    std::uint32_t module = PA_INVALID_INDEX;
    {
        const std::lock_guard lock(gEchoMutex);
        std::swap(module, gEchoModule);
    }
    if (module == PA_INVALID_INDEX) {
        return;
    }
    // The program is ending: a server that does not answer at once is not waited for.
    static const std::atomic<bool> kNeverStopped{false};
    PulseLoop loop;
    loop.stop = &kNeverStopped;
    loop.deadline = std::chrono::milliseconds(300);
    std::string error;
    if (!loop.Connect(error)) {
        return;
    }
    // A server restarted since the canceller was loaded numbers its modules afresh: only the
    // module that still is this program's canceller goes.
    struct Mine {
        std::atomic<bool> done{false};
        std::string source;
        bool mine = false;
    } check;
    check.source = "source_name=" + EchoName("source") + " ";
    if (!loop.Await(
            [&] {
                return pa_context_get_module_info(
                    loop.context, module,
                    [](pa_context*, const pa_module_info* info, int last, void* self) {
                        auto* c = static_cast<Mine*>(self);
                        if (info && info->argument &&
                            std::string(info->argument).find(c->source) != std::string::npos) {
                            c->mine = true;
                        }
                        if (last != 0) {
                            c->done = true;
                        }
                    },
                    &check);
            },
            check.done, error) ||
        !check.mine) {
        return;
    }
    std::atomic<bool> done{false};
    {
        loop.Await(
            [&] {
                return pa_context_unload_module(
                    loop.context, module,
                    [](pa_context*, int, void* flag) { static_cast<std::atomic<bool>*>(flag)->store(true); },
                    &done);
            },
            done, error);
    }
}

} // namespace dorva::voice::engine
