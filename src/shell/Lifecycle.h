#pragma once
// How a run of the program ends.

#include <functional>

namespace dorva::gui {

// Ends the run at once: the event loops return with status and every window closes. Nothing is
// saved here; File > Exit saves before it calls this.
void EndProgram(int status);

// Tests replace the ending to watch it; nullptr restores the real one.
using ProgramEndHandler = std::function<void(int status)>;
void SetProgramEndHandler(ProgramEndHandler handler);

} // namespace dorva::gui
