#pragma once
// One switch back to the start of a run, for tests.

namespace dorva {

// Returns every program-wide value of every subsystem to its start value and every seam to its
// default.
void ResetProgramState();

} // namespace dorva
