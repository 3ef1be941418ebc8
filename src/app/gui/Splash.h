#pragma once

#include <QWidget>

class QFrame;
class QLabel;

namespace dorva {

// The splash window shown while start-up loads the rule tables.
class frmSplash : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(QWidget* parent = nullptr);

    QFrame* Frame1;
    QLabel* Image1;
    QLabel* lblProductName;
    QLabel* lblVersion;

    void Form_KeyPress();
    void Frame1_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace dorva
