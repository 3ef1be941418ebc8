#pragma once
// PulseAudio streams on the asynchronous API with a threaded main loop. The simple API blocks in its
// reads and writes until the server moves on; a capture thread blocked there could not be stopped
// at exit when a source stalls. Here nothing waits on the server without a deadline or a way out.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace dorva::voice::engine {

struct PulseLoop;

// A playback stream of 16-bit mono samples to the default sink.
class PulsePlayback {
public:
    ~PulsePlayback();
    // Null with the server's reason in error when there is no server or it refuses the stream.
    static std::unique_ptr<PulsePlayback> Open(int sampleRate, int bufferMs, std::string& error);
    // Blocks while the buffer is full; false when the stream failed or stop was raised.
    bool Write(std::span<const std::int16_t> samples, const std::atomic<bool>& stop, std::string& error);
    // Blocks until everything written has been played; false as above.
    bool Drain(const std::atomic<bool>& stop, std::string& error);

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
    static std::unique_ptr<PulseCapture> Open(int sampleRate, int fragmentMs, SampleHandler onSamples,
                                              std::string& error);
    // The server went away or ended the stream.
    bool Failed() const;

private:
    explicit PulseCapture(std::unique_ptr<PulseLoop> loop);
    std::unique_ptr<PulseLoop> loop_;
};

} // namespace dorva::voice::engine
