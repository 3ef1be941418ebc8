#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace dorva {

// The close-combat screen: the rolls the solitaire rules ask for in melee: the advance direction,
// the NTC, the pairings and the attack.
class Form10 : public QWidget {
    Q_OBJECT

public:
    // Loading the screen (Form_Load) is its construction; closing it unloads it.
    explicit Form10(QWidget* parent = nullptr);

    QPushButton* AdvanceBtn;    // "Advance dr"
    QPushButton* Command4;      // "CC Attack DR"
    QLabel* AdvanceLB;          // the roll of the last operation
    QPushButton* CCNTCDrmsBtn;  // "CC NTC"
    QPushButton* CCPairingsBtn; // "CC Pairings"
    QLabel* Label1;             // the explanation
    QLabel* Image1;             // the direction picture

    void Form_Load();
    void AdvanceBtn_Click();
    void CCNTCDrmsBtn_Click();
    void CCPairingsBtn_Click();
    void Command4_Click();
};

} // namespace dorva
