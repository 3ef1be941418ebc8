#include "activation/State.h"

namespace dorva::activation {
namespace {
ActivationView*& View() {
    static ActivationView* view = nullptr;
    return view;
}
} // namespace

void SetActivationView(ActivationView* view) {
    View() = view;
}
ActivationView* CurrentActivationView() {
    return View();
}

void ResetState() {
    gShowActivation = 0;
    gAutoClear = false;
    gTempDisplayUnits.clear();
    acDieRoll.reset();
    finalDieRoll = 0;
    a1Text.clear();
    hasSpecialForces = 0;
    specialForceClass = kAllUnitClasses;
    gEliteSquad = 0;
    gGreenSquadsOnly = -1;
    View() = nullptr;
}

} // namespace dorva::activation
