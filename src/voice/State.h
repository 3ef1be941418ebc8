#pragma once
// Program-wide speech state: the two engines set up at start-up and the switches of speaking and
// listening. It lives for the whole run.

#include "platform/SpeechPlatform.h"

#include <cstdint>
#include <memory>
#include <string>

namespace dorva::voice {

inline std::unique_ptr<platform::Voice> gVoice;             // absent when its creation failed
inline std::unique_ptr<platform::RecoContext> gRecoContext; // the shared recognition context
inline std::unique_ptr<platform::RecoGrammar> gRecoGrammar; // the command grammar
inline std::int16_t gVoiceAvailable = 0;                    // 1 when the voice was created at start-up
inline std::int16_t gRecoAvailable = 0;                     // 1 when recognition was set up at start-up
inline int gSpeak = 0;                                      // speaking wanted ("Speak results")
inline std::int16_t gRecognize = 0;                         // listening ("Recognize speech")
inline long TTSError = 0;                                   // platform error number of the voice creation
inline std::int32_t SRError = 0;                            // platform error number of the recognition set-up
// Only phrases that begin with the wake word are commands ("Commands begin with Dorva"). Set up
// engines are told through the platform; this is what the settings keep.
inline bool gWakeWord = false;
// The voice falls silent when the player talks over it ("Stop speaking when I talk"); kept like
// gWakeWord.
inline bool gStopWhenTalkedOver = true;
// How this player says the numbers, learnt in the voice lessons, as the settings keep them ("" for
// the dictionary's alone); kept like gWakeWord.
inline std::string gPlayerPronunciations;
inline std::string gLastSpokenText; // the text most recently handed to the voice
// True while a voice command's operation runs: a screen that says its results only while speaking
// is on still shows them in the VASL window then, and speaks them when it can.
inline bool gVoiceCommandRunning = false;

// The text of the "What Can I Say?" window, read once at start-up.
inline std::string gWhatCanISayText;

void ResetState();

} // namespace dorva::voice
