#pragma once
// The real speech engines, from their module.

#include "platform/SpeechPlatform.h"

#include <memory>

namespace dorva::app {

// The engines of the speech module beside the program (a build) or in the installed copy's module
// folder. None, with a line on standard error that says why, when the module is missing or cannot be
// loaded: the program then runs as without speech ("Speech Errors" shows TTS = 1001, SR = 1002). The
// module stays loaded until the program ends.
std::unique_ptr<platform::SpeechPlatform> LoadSpeechEngines();

} // namespace dorva::app
