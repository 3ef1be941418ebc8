#include "app/gui/VoiceCommands.h"

#include "activation/gui/ActivationScreen.h"
#include "random/gui/LocationsScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "setup/gui/SetupScreen.h"
#include "ui/Windows.h"
#include "voice/State.h"

#include <QCheckBox>

namespace dorva::app {
namespace {

void SetBox(QCheckBox* box, bool on) {
    // The handler runs also when the box already shows the value: the program relies on it.
    const QSignalBlocker quiet(box);
    box->setChecked(on);
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
    }
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
