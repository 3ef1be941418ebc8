#pragma once
// The recognition context and grammar of the program: PulseAudio capture on a worker thread, the
// command listener, and the events handed to the user-interface thread.

#include "platform/SpeechPlatform.h"
#include "voice/engine/EspeakVoice.h"
#include "voice/engine/PlaybackGate.h"
#include "voice/engine/SpeechEngines.h"

#include <memory>
#include <string>

namespace dorva::voice::engine {

// 0 and the context, or the program's error number with the engine's reason in detail. The
// context's events arrive on the thread that calls this, through its Qt event loop.
long CreateEngineRecoContext(const EngineSettings& settings, std::shared_ptr<PlaybackGate> gate,
                             std::unique_ptr<platform::RecoContext>& context,
                             std::shared_ptr<Stoppable>& control, std::string& detail);

} // namespace dorva::voice::engine
