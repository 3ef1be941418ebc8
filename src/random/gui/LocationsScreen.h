#pragma once

#include <QWidget>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dorva {

// The suspect-locations screen: where a suspect counter stands, one at a time or a batch written to
// a file. Its single roll runs the same whether the screen is shown or hidden (the voice command
// calls it on a hidden screen).
class Form11 : public QWidget {
    Q_OBJECT

public:
    // Loading the screen is its construction; closing it unloads it.
    explicit Form11(QWidget* parent = nullptr);

    QPushButton* SLocationBtn;
    QCheckBox* IsVillageCB;
    QLabel* Label1; // the single location
    QPushButton* SaveToFileBtn;
    QLineEdit* Text1; // the number of locations of a batch
    QLabel* Label2;   // "Number of locations"
    QLabel* SFileNameLB;

    void SLocationBtn_Click();
    void SaveToFileBtn_Click();
    // One location with the board's prefix; with show it also reaches the VASL activation window
    // and the voice.
    std::string LocationDieRoll(bool show);
};

} // namespace dorva
