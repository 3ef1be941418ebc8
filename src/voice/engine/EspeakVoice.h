#pragma once
// The program's voice: espeak-ng synthesising on one worker thread, played through PulseAudio.

#include "platform/SpeechPlatform.h"
#include "voice/engine/PlaybackGate.h"

#include <memory>
#include <string>

namespace dorva::voice::engine {

class Stoppable {
public:
    virtual ~Stoppable() = default;
    // Ends the worker threads; the object stays, inert. Safe to call more than once.
    virtual void Stop() = 0;
};

// 0 and the voice, or the program's error number with the engine's reason in detail.
long CreateEspeakVoice(const std::string& voiceName, std::shared_ptr<PlaybackGate> gate,
                       std::unique_ptr<platform::Voice>& voice, std::shared_ptr<Stoppable>& control,
                       std::string& detail);

} // namespace dorva::voice::engine
