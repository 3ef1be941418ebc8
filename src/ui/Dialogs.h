#pragma once
// The window system's message boxes, file dialogs and modal windows behind the dialogs seam.

#include "platform/Seams.h"

#include <QString>

class QDialog;
class QMessageBox;

namespace dorva::ui {

class WindowDialogs final : public platform::Dialogs {
public:
    void Message(const std::string& text) override;
    // No is the default button: Enter pressed by habit changes nothing.
    bool Ask(const std::string& question) override;
    // An existing file is a fine choice without asking: the program's files are appended to, never
    // replaced.
    std::optional<std::string> SaveFileName(const std::string& caption, const std::string& preset,
                                            const std::string& filter) override;
    int RunModal(platform::ModalWindow& window) override;
};

// A message as the player reads it: messages name files (the file system's UTF-8) or quote table text
// (Latin-1); text that is not valid UTF-8 is taken as Latin-1.
QString MessageText(const std::string& message);

// Widens a message box so that the window manager shows its title whole.
void KeepTitleWhole(QMessageBox& box);

// Shows a dialog modally through the dialogs seam (tests never wait on it) and returns its result.
int ExecModal(QDialog& dialog);

} // namespace dorva::ui
