#pragma once
// The program from its first window to its end, shared by the program and its start-up probe.

class QApplication;

namespace dorva::platform {
class SpeechPlatform;
}

namespace dorva::app {

// Names the application, gives it its icon, finds the support folder beside the executable (or in
// an installed copy's data folder) and installs the windows behind the seams.
void ConfigureApplication(QApplication& app);

// Puts the window system behind the seams (message boxes and file dialogs, the locale's clock, the
// end of the run, the VASL activation window), the screens behind ui::Screens, and the speech platform
// (none: one that speaks and hears nothing).
void InstallProgramSeams(platform::SpeechPlatform* speech = nullptr);

// Splash, loading, the modal set-up screen (the speech engines, from their module, come up behind it)
// and, after its OK, the event loop until the toolbar closes or File > Exit. Returns the program's
// exit status.
int RunProgram();

} // namespace dorva::app
