#pragma once
// What a recognised command does: the rule name the recogniser matched, carried out in the order of
// the command table.

#include "platform/SpeechPlatform.h"

#include <string>

namespace dorva::voice {

// The operations of the screens that commands run, each as if its button had been clicked.
enum class Operation {
    ActivationRoll,
    ManualActivation,
    ClearActivationModifiers,
    RollADie,
    RollDice,
    Table6a,
    Table6b,
    Table6c,
    Table6d,
    Table6e,
    Table6f,
    Table6g,
    Table6h,
    AThroughGG,
    OneThrough10,
    XThroughY,
    Location,
    // The actions screen's buttons.
    InfantryMove,
    HoldOdd,
    HoldEven,
    AdvanceMove,
    VehicleMove,
    MoveDirection,
    InfantryActions,
    VehicleActions,
    IFTAttack,
    LATWAttack,
    OrdVsVehAttack,
    OrdVsInfAttack,
    // Look-ups of a chosen DR on an attack list (RunLookUp).
    IFTLookUp,
    LATWLookUp,
    OrdVsVehLookUp,
    OrdVsInfLookUp,
    // The close-combat screen's buttons.
    CCAdvance,
    CCNtc,
    CCPairings,
    CCAttack,
};

// The screens as the commands reach them; the app layer, which knows every screen, implements it.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Runs the operation on its screen, which is created hidden when it does not exist yet.
    virtual void Run(Operation operation) = 0;
    // Runs a look-up of the DR (2 to 12) on the actions screen, created hidden when it is not open.
    virtual void RunLookUp(Operation lookUp, int dr) = 0;
    // Checks or unchecks the set-up screen's "Speak results" and "Recognize speech" boxes, whose
    // handlers set gSpeak and gRecognize.
    virtual void SetSpeakBox(bool on) = 0;
    virtual void SetRecognizeBox(bool on) = 0;
};

// The command of one recognition. While listening is off only "startlistening" is obeyed; a stop
// heard where it changes nothing says so in the VASL window; a rule name the table does not know does
// nothing.
// Reads: gRecognize, gSpeak, gLastSpokenText, gTableIF. Writes: gSpeak, gRecognize, gDRStats,
// gVoiceCommandRunning.
void RecoContext_Recognition(const platform::RecoResult& result, CommandTarget& target);

// The attack of "AttackWithoutDRM" (modifier empty) or "AttackWithDRM" (modifier: properties 1 and
// 2): the sentence that is shown and spoken, or nothing when a property is malformed or the roll
// falls outside the IF table.
// Reads: gTableIF. Writes: gDRStats.
std::string AttackSentence(const platform::RecoResult& result, bool withModifier);

} // namespace dorva::voice
