#pragma once

#include <QWidget>

class QPushButton;

namespace dorva {

// The activation mini controls: three buttons that run dice and manual activation from a tiny window.
class Form12 : public QWidget {
    Q_OBJECT

public:
    explicit Form12(QWidget* parent = nullptr);

    QPushButton* Command1; // "DR"
    QPushButton* Command2; // "dr"
    QPushButton* Command3; // "Man. Act"

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
};

} // namespace dorva
