#pragma once
// The program from its first window to its end, shared by the program and its start-up probe.

class QApplication;

namespace dorva::gui {

// Names the application, gives it its icon, finds the support folder beside the executable (or in
// an installed copy's data folder) and installs the windows behind the logic layer's seams.
void ConfigureApplication(QApplication& app);

// Puts the windows behind the logic layer's seams: messages in message boxes, the program's end on
// a fatal message, the log's date and time from the system's locale, a message when the game log
// cannot be written, results into the VASL activation window, and the speech platform.
void InstallProgramSeams();

// Splash, loading, the modal set-up screen and, after its OK, the event loop until the toolbar
// closes or File > Exit. Returns the program's exit status.
int RunProgram();

} // namespace dorva::gui
