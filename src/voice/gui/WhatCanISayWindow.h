#pragma once

#include <QWidget>

class QPlainTextEdit;
class QKeyEvent;
class QPushButton;

namespace dorva {

// The "What Can I Say?" window: the list of phrases the voice control understands.
class Form7 : public QWidget {
    Q_OBJECT

public:
    explicit Form7(QWidget* parent = nullptr);

    QPlainTextEdit* Text1; // the list, read-only
    QPushButton* Command1; // "OK"

    void Command1_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dorva
