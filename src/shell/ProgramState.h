#pragma once
// One switch back to the start of a run, for tests.

namespace dorva {

// Returns every program-wide value of every subsystem to its start value.
void ResetProgramState();

} // namespace dorva
