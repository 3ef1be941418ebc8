#pragma once
// Dialogs that record what the program asked for instead of showing anything.

#include "shell/Dialogs.h"

#include <QDialog>
#include <QStringList>

namespace dorva::test {

class FakeDialogs final : public gui::Dialogs {
public:
    FakeDialogs() { gui::SetDialogs(this); }
    ~FakeDialogs() override { gui::SetDialogs(nullptr); }
    FakeDialogs(const FakeDialogs&) = delete;
    FakeDialogs& operator=(const FakeDialogs&) = delete;

    void Message(QWidget*, const QString& text) override { messages << text; }
    // The player accepts the offered name.
    QString SaveFileName(QWidget*, const QString&, const QString& preset, const QString&) override {
        return preset;
    }
    // Records the modal window by name; the player closes it at once.
    int Exec(QDialog& dialog) override {
        modal << dialog.objectName();
        return QDialog::Rejected;
    }

    QStringList messages;
    QStringList modal;
};

} // namespace dorva::test
