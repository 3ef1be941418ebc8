#include "app/gui/VoiceCommands.h"

#include "actions/Spoken.h"
#include "actions/gui/ActionsScreen.h"
#include "actions/gui/CloseCombatScreen.h"
#include "activation/gui/ActivationScreen.h"
#include "random/gui/LocationsScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "setup/gui/SetupScreen.h"
#include "ui/Text.h"
#include "ui/Windows.h"
#include "voice/State.h"

#include <QCheckBox>
#include <QPushButton>

namespace dorva::app {
namespace {

void SetBox(QCheckBox* box, bool on) {
    // The handler runs also when the box already shows the value: the program relies on it.
    const QSignalBlocker quiet(box);
    box->setChecked(on);
}

// A button that cannot be pressed is not pressed by voice either: the infantry movement roll waits
// for its box to be unchecked, the pending DRs for that roll. As the player who spoke cannot see the
// greyed button, the reason is said instead.
void PressIfEnabled(QPushButton* Form9::*buttonOf, void (Form9::*handler)()) {
    Form9& form = ui::Window<Form9>();
    QPushButton* button = form.*buttonOf;
    if (button->isEnabled()) {
        return (form.*handler)();
    }
    const std::string pending = actions::InfantryMoveSentence(ui::FromQt(form.HoldOddBtn->text()),
                                                              ui::FromQt(form.HoldEvenBtn->text()),
                                                              ui::FromQt(form.AdvanceBtn->text()));
    actions::AnnounceResult(button == form.InfantryMoveBtn
                                ? "Infantry Move waits until Activate Move Button is unchecked. " + pending
                                : std::string("No infantry movement has been rolled yet"));
}

} // namespace

void ScreenCommands::Run(voice::Operation operation) {
    using voice::Operation;
    switch (operation) {
    case Operation::ActivationRoll:
        return ui::Window<Form2>().ActiviondrBtn_Click();
    case Operation::ManualActivation:
        return ui::Window<Form2>().ManualActivation_Click();
    case Operation::ClearActivationModifiers:
        return ui::Window<Form2>().ClearModifiersBtn_Click();
    case Operation::RollADie:
        return ui::Window<Form6>().SingleDR_Click();
    case Operation::RollDice:
        return ui::Window<Form6>().TwoDR_Click();
    case Operation::Table6a:
        return ui::Window<Form6>().Table6aBtn_Click();
    case Operation::Table6b:
        return ui::Window<Form6>().Table6bBtn_Click();
    case Operation::Table6c:
        return ui::Window<Form6>().Table6cBtn_Click();
    case Operation::Table6d:
        return ui::Window<Form6>().Table6dBtn_Click();
    case Operation::Table6e:
        return ui::Window<Form6>().Table6eBtn_Click();
    case Operation::Table6f:
        return ui::Window<Form6>().Table6fBtn_Click();
    case Operation::Table6g:
        return ui::Window<Form6>().Table6gBtn_Click();
    case Operation::Table6h:
        return ui::Window<Form6>().Table6hBtn_Click();
    case Operation::AThroughGG:
        return ui::Window<Form6>().AtoGG_Click();
    case Operation::OneThrough10:
        return ui::Window<Form6>().Die1to10_Click();
    case Operation::XThroughY:
        return ui::Window<Form6>().DieXThroughY_Click();
    case Operation::Location:
        return ui::Window<Form11>().SLocationBtn_Click();
    case Operation::InfantryMove:
        return PressIfEnabled(&Form9::InfantryMoveBtn, &Form9::InfantryMoveBtn_Click);
    case Operation::HoldOdd:
        return PressIfEnabled(&Form9::HoldOddBtn, &Form9::HoldOddBtn_Click);
    case Operation::HoldEven:
        return PressIfEnabled(&Form9::HoldEvenBtn, &Form9::HoldEvenBtn_Click);
    case Operation::AdvanceMove:
        return PressIfEnabled(&Form9::AdvanceBtn, &Form9::AdvanceBtn_Click);
    case Operation::VehicleMove:
        return ui::Window<Form9>().Command4_Click();
    case Operation::MoveDirection:
        return ui::Window<Form9>().DirectionBtn_Click();
    case Operation::InfantryActions:
        return ui::Window<Form9>().InfActionBtn_Click();
    case Operation::VehicleActions:
        return ui::Window<Form9>().AFVGunBtn_Click();
    case Operation::IFTAttack:
        return ui::Window<Form9>().IFTAttackBtn_Click();
    case Operation::LATWAttack:
        return ui::Window<Form9>().LATWAttackBtn_Click();
    case Operation::OrdVsVehAttack:
        return ui::Window<Form9>().OrdVsVehAttackBtn_Click();
    case Operation::OrdVsInfAttack:
        return ui::Window<Form9>().OrdVsInfAttackBtn_Click();
    case Operation::IFTLookUp:
    case Operation::LATWLookUp:
    case Operation::OrdVsVehLookUp:
    case Operation::OrdVsInfLookUp:
        return; // they carry a DR: RunLookUp
    case Operation::CCAdvance:
        return ui::Window<Form10>().AdvanceBtn_Click();
    case Operation::CCNtc:
        return ui::Window<Form10>().CCNTCDrmsBtn_Click();
    case Operation::CCPairings:
        return ui::Window<Form10>().CCPairingsBtn_Click();
    case Operation::CCAttack:
        return ui::Window<Form10>().Command4_Click();
    }
}

void ScreenCommands::RunLookUp(voice::Operation lookUp, int dr) {
    using actions::Attack;
    using voice::Operation;
    const Attack attack = lookUp == Operation::LATWLookUp       ? Attack::LATW
                          : lookUp == Operation::OrdVsVehLookUp ? Attack::OrdnanceVsVehicle
                          : lookUp == Operation::OrdVsInfLookUp ? Attack::OrdnanceVsInfantry
                                                                : Attack::IFT;
    ui::Window<Form9>().LookUp(attack, dr);
}

void ScreenCommands::SetSpeakBox(bool on) {
    Form1& setup = ui::Window<Form1>();
    SetBox(setup.SpeechCB, on);
    setup.SpeechCB_Click();
}

void ScreenCommands::SetRecognizeBox(bool on) {
    Form1& setup = ui::Window<Form1>();
    SetBox(setup.RecognizeCB, on);
    setup.RecognizeCB_Click();
}

void DeliverRecognition(const platform::RecoResult& result) {
    ScreenCommands screens;
    voice::RecoContext_Recognition(result, screens);
}

void InstallVoiceCommands() {
    if (voice::gRecoContext) {
        voice::gRecoContext->onRecognition = &DeliverRecognition;
    }
}

} // namespace dorva::app
