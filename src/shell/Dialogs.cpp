#include "shell/Dialogs.h"

#include "shell/Text.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace dorva::gui {

int Dialogs::Exec(QDialog& dialog) {
    return dialog.exec();
}

namespace {

class RealDialogs final : public Dialogs {
public:
    void Message(QWidget* parent, const QString& text) override {
        QMessageBox box(QMessageBox::Information, kAppTitle, text, QMessageBox::Ok, parent);
        // The text can be selected and copied, so that a player can pass a message on word for word.
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box.exec();
    }
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& preset,
                         const QString& filter) override {
        // An existing file is a fine choice without asking: the log is appended to, never replaced.
        return QFileDialog::getSaveFileName(parent, caption, preset, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }
};

Dialogs*& Installed() {
    static Dialogs* installed = nullptr;
    return installed;
}

} // namespace

Dialogs& CurrentDialogs() {
    static RealDialogs real;
    return Installed() ? *Installed() : real;
}

void SetDialogs(Dialogs* dialogs) {
    Installed() = dialogs;
}

} // namespace dorva::gui
