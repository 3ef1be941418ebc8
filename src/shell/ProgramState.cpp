#include "shell/ProgramState.h"

#include "activation/ActivationState.h"
#include "data/Announce.h"
#include "data/Dice.h"
#include "data/ScenarioTables.h"
#include "data/TableStore.h"
#include "setup/Params.h"
#include "voice/SpeechState.h"

namespace dorva {

void ResetProgramState() {
    data::ResetDice();
    data::ResetTableStore();
    data::ResetScenarioTables();
    data::ResetAnnounce();
    setup::ResetParams();
    voice::ResetSpeechState();
    activation::ResetActivationState();
}

} // namespace dorva
