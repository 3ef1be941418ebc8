#pragma once
// The speech platform of the program: espeak-ng speaks through PulseAudio, PocketSphinx listens to
// the default PulseAudio source for the commands of dorva.cfg. Events reach the program on the
// thread that created the platform (the user-interface thread), through its Qt event loop.

#include "platform/SpeechPlatform.h"
#include "voice/VoiceLessons.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dorva::voice::engine {

struct EngineSettings {
    // The PocketSphinx US-English model: the acoustic model folder en-us/ and cmudict-en-us.dict.
    std::filesystem::path modelFolder;
    std::string voiceName = "en-us"; // the espeak-ng voice
    // How this player says words of the grammar, learnt in the voice lessons.
    std::vector<PlayerPronunciation> pronunciations;
};

// The settings the program runs with.
EngineSettings DefaultEngineSettings();

std::unique_ptr<platform::SpeechPlatform> CreateSpeechEngines();
std::unique_ptr<platform::SpeechPlatform> CreateSpeechEngines(const EngineSettings& settings);

} // namespace dorva::voice::engine
