#pragma once
// What one screen may ask of the others. The screens know no screen but their own: the app layer,
// which knows them all, implements this and installs it at start-up.

#include <QString>

namespace dorva::ui {

class Screens {
public:
    virtual ~Screens() = default;
    // The set-up screen's OK has recorded a scenario titled title: the activation screen takes the
    // AC number, the attitude and the title, then the toolbar and the activation screen come up.
    virtual void ScenarioConfirmed(const QString& title) = 0;
    // The set-up screen's "Voice Lessons" button: the lessons window comes up over it.
    virtual void OpenVoiceLessons() = 0;
};

// The installed screens; nullptr before start-up installed them.
Screens* CurrentScreens();
void SetScreens(Screens* screens);

} // namespace dorva::ui
