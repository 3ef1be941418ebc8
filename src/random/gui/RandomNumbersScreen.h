#pragma once

#include "random/Tables6.h"

#include <QString>
#include <QWidget>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dorva {

// The random-numbers screen: dice, hex rows and ranges on the right, tables 6a to 6h on the left.
// Its operations run the same whether the screen is shown or hidden (voice commands and the mini
// controls call them on a hidden screen).
class Form6 : public QWidget {
    Q_OBJECT

public:
    // Loading the screen is its construction; closing it unloads it.
    explicit Form6(QWidget* parent = nullptr);

    // The dice area.
    QLabel* Label11; // the heading of the dice result
    QLabel* Label2;  // "Colored dr ="
    QLabel* ColorDieLB;
    QLabel* Label3; // "White dr ="
    QLabel* WhiteDieLB;
    QLabel* Label4; // "Result ="
    QLabel* ResultLB;
    QPushButton* SingleDR;
    QPushButton* TwoDR;
    QPushButton* AtoGG;
    QPushButton* Die1to10;
    QGroupBox* Frame1; // "Ranged Numbers"
    QPushButton* DieXThroughY;
    QLabel* Label1; // "From ="
    QLineEdit* FromValueLB;
    QLabel* Label5; // "To ="
    QLineEdit* ToValueLB;
    QCheckBox* MakeLetterCB;

    // The table area.
    QPushButton* Table6aBtn;
    QPushButton* Table6bBtn;
    QPushButton* Table6cBtn;
    QPushButton* Table6dBtn;
    QPushButton* Table6eBtn;
    QPushButton* Table6fBtn;
    QPushButton* Table6gBtn;
    QPushButton* Table6hBtn;
    QLabel* Label8; // the table's name
    QLabel* Label7; // "dr ="
    QLabel* Label10;
    QLabel* Label6; // "Result ="
    QLabel* Label9;

    void SingleDR_Click();
    void TwoDR_Click();
    void AtoGG_Click();
    void Die1to10_Click();
    void DieXThroughY_Click();
    void Table6aBtn_Click();
    void Table6bBtn_Click();
    void Table6cBtn_Click();
    void Table6dBtn_Click();
    void Table6eBtn_Click();
    void Table6fBtn_Click();
    void Table6gBtn_Click();
    void Table6hBtn_Click();

    void ClearTableResults();
    void ClearDiceResults();
    // Rolls on a table and shows its name, the dr and the result; the dice area is blanked first.
    void DoTableRoll(const QString& dieTable, const random::DieArray& dieArray,
                     const std::string& extraText = std::string());

private:
    void BuildDiceArea();
    void BuildTableArea();
    void RollOnTable(int index);
    // With every roll logged, the result as the screen shows it.
    void LogResults();
};

} // namespace dorva
