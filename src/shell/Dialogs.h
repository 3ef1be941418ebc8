#pragma once
// Message boxes and file dialogs behind one small interface, so that tests never block on them.

#include <QString>

class QDialog;
class QWidget;

namespace dorva::gui {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with the title "DORVA II", the text and only an OK button.
    virtual void Message(QWidget* parent, const QString& text) = 0;
    // A modal file dialog; returns the chosen path, or an empty text when the player cancels.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& preset,
                                 const QString& filter) = 0;
    // Shows a window modally and returns when it is closed, with its result (QDialog::exec). Tests
    // replace it so that they never wait on a modal window.
    virtual int Exec(QDialog& dialog);
};

// The dialogs in use: the real ones unless a test installed its own (pass nullptr to restore).
Dialogs& CurrentDialogs();
void SetDialogs(Dialogs* dialogs);

} // namespace dorva::gui
