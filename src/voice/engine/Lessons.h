#pragma once
// Learning from the voice lessons: the lesson recordings heard by a listener of their own, the
// phones of each number taken as the player's way of saying it, and only what the same recordings,
// heard again with it, still hear right is kept.

#include "voice/Grammar.h"
#include "voice/VoiceLessons.h"
#include "voice/engine/SpeechEngines.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dorva::voice::engine {

struct LessonOutcome {
    long error = 0; // the listener could not be set up: the program's error number, and why
    std::string detail;
    std::vector<PlayerPronunciation> learnt;
    int heardRight = 0; // lessons whose number was heard right with what was learnt
};

// recordings[i] is the audio of kLessonPhrases[i] at kListenSampleRate, silence around it allowed;
// an empty one is a lesson skipped. What the settings already hold of the player's is not used:
// the lessons replace it. Raising stop ends the learning soon, with nothing learnt.
LessonOutcome LearnFromLessons(const EngineSettings& settings, const Grammar& grammar,
                               std::span<const std::vector<std::int16_t>> recordings,
                               const std::atomic<bool>* stop = nullptr);

} // namespace dorva::voice::engine
