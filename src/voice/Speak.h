#pragma once
// Speaking a result: the one way any operation reaches the voice.

#include <string>

namespace dorva::voice {

// Speech flags of the platform voice: asynchronous, and asynchronous with speech markup.
inline constexpr int kSpeakAsync = 1;
inline constexpr int kSpeakAsyncMarkup = 9;

// Hands the text to the voice while speaking is wanted and the voice exists; otherwise does nothing,
// so that gLastSpokenText keeps the last text that was really spoken.
// Reads: gSpeak, gVoiceAvailable, gVoice. Writes: gLastSpokenText.
void SpeakText(const std::string& text, int flags);

} // namespace dorva::voice
