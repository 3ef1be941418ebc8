#pragma once
// Program-wide speech state, set up once at start-up.

#include "platform/SpeechPlatform.h"

#include <cstdint>
#include <memory>
#include <string>

namespace dorva::voice {

// The speech service the program uses; main installs the real one, tests a fake. Not owned.
inline platform::SpeechPlatform* gSpeechPlatform = nullptr;

inline std::unique_ptr<platform::Voice> gVoice;        // absent when its creation failed
inline std::int16_t gRecoAvailable = 0;      // 1 when recognition was set up at start-up
inline std::int16_t gRecognize = 0;          // listening ("Recognize speech")
inline long TTSError = 0;                    // platform error number of the voice creation
inline std::int32_t SRError = 0;             // platform error number of the recognition set-up
inline std::unique_ptr<platform::RecoContext> gRecoContext;// the shared recognition context
inline std::unique_ptr<platform::RecoGrammar> gRecoGrammar;// the command grammar

// The text of the "What Can I Say?" window, read once at start-up.
inline std::string gWhatCanISayText;

void ResetSpeechState();

} // namespace dorva::voice
