#include "app/ProgramState.h"

#include "activation/State.h"
#include "data/State.h"
#include "platform/Seams.h"
#include "random/State.h"
#include "setup/State.h"
#include "voice/State.h"

namespace dorva {

void ResetProgramState() {
    platform::ResetSeams();
    data::ResetState();
    voice::ResetState();
    setup::ResetState();
    activation::ResetState();
    random::ResetState();
}

} // namespace dorva
