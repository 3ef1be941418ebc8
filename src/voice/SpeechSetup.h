#pragma once
// Setting up the two speech engines at start-up, and the sound-level interest of the set-up screen.

#include <cstdint>
#include <string>

namespace dorva::voice {

// Creates the voice into gVoice through the speech platform. Returns 1, or 0 with TTSError set to the
// platform's error number when the voice cannot be created (gVoice then stays empty).
// Writes: gVoice, TTSError.
std::int16_t InitVoice();

// Creates the shared recognition context and the command grammar, switches dictation off, loads the
// grammar file and activates all its rules. Returns 1, or 0 with SRError set to the error number of
// the step that failed; the steps done before it stay done.
// Writes: gRecoContext, gRecoGrammar, SRError.
std::int16_t InitReco();

// The grammar file as the recognizer is handed it: dorva.cfg of the support folder, resolved
// against the program's folder.
std::string GrammarFilePath();

// The set-up screen shows the sound level only while it is up: it asks for audio-level events when it
// becomes active and gives them up at OK. Both do nothing unless recognition was set up (gRecoAvailable
// is 1), and asking twice is asking once, so that the interests never drift.
// Reads: gRecoAvailable, gRecoContext.
void AddAudioLevelInterest();
void RemoveAudioLevelInterest();

} // namespace dorva::voice
