#pragma once
// PulseAudio streams on the asynchronous API with a threaded main loop. The simple API blocks in its
// reads and writes until the server moves on; a capture thread blocked there could not be stopped
// at exit when a source stalls. Here nothing waits on the server without a deadline or a way out.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace dorva::voice::engine {

struct PulseLoop;

// What a stream lacks when it cannot be opened or has ended: the server (gone, frozen, refusing the
// client) or the device it plays to or records from.
enum class PulseFault { Server, Device };

// A playback stream of 16-bit mono samples to the default sink.
class PulsePlayback {
public:
    ~PulsePlayback();
    // Null with the server's reason in error when there is no server or it refuses the stream. Raising
    // stop ends the wait for the server at once.
    // An empty sink is the server's default.
    static std::unique_ptr<PulsePlayback> Open(int sampleRate, int bufferMs, const std::string& sink,
                                               const std::atomic<bool>& stop, std::string& error);
    // Blocks while the buffer is full; false when the stream failed or stop was raised.
    bool Write(std::span<const std::int16_t> samples, const std::atomic<bool>& stop, std::string& error);
    // Blocks until everything written has been played; false as above.
    bool Drain(const std::atomic<bool>& stop, std::string& error);
    // Drops what was written and not yet played; false as above.
    bool Flush(std::string& error);

private:
    explicit PulsePlayback(std::unique_ptr<PulseLoop> loop);
    std::unique_ptr<PulseLoop> loop_;
};

// A record stream of 16-bit mono samples from the default source. The samples arrive on
// PulseAudio's own thread; the handler only copies them away.
class PulseCapture {
public:
    using SampleHandler = std::function<void(std::span<const std::int16_t>)>;
    ~PulseCapture();
    // Null with the reason in error and what is missing in fault; stop as for playback.
    static std::unique_ptr<PulseCapture> Open(int sampleRate, int fragmentMs, const std::string& source,
                                              SampleHandler onSamples, const std::atomic<bool>& stop,
                                              std::string& error, PulseFault& fault);
    // Whether the server went away or ended the stream (its source was removed).
    bool Failed() const;
    PulseFault Fault() const;

private:
    explicit PulseCapture(std::unique_ptr<PulseLoop> loop);
    std::unique_ptr<PulseLoop> loop_;
};

// The audio server's echo canceller between the default microphone and speaker, for the program's
// own streams: the voice plays to its sink, and its source is the microphone with the voice taken
// out, so that a command said while the program speaks is heard.
//
// The program loads PulseAudio's module-echo-cancel itself rather than asking for it with the
// streams' filter.want=echo-cancel property: that request is only granted where the server's
// configuration loads module-filter-apply, which passes over monitor sources and which PipeWire's
// PulseAudio service does not offer, while the module loads on both. Measured with the speaker
// played back into the microphone, it took the program's voice down by about 40 dB; a command said
// over the voice came through in pieces, which is why the voice falls silent when the player talks
// over it (BargeIn).
struct EchoDevices {
    std::string sink;
    std::string source;
};
// Loads the canceller unless it is there already; none, with the reason, when the server has no
// such module or no default microphone or speaker. Stop as for the streams.
std::optional<EchoDevices> UseEchoCanceller(const std::atomic<bool>& stop, std::string& error);
// Unloads the canceller this process loaded, waiting a moment at most.
void DropEchoCanceller();

} // namespace dorva::voice::engine
