#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace dorva {

// The about box: the program's name, version and distribution notice.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;

    void cmdOK_Click();
};

} // namespace dorva
