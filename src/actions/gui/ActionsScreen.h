#pragma once

#include "actions/FireCommands.h"
#include "actions/ManualDieRoll.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace dorva {

// The actions screen: what a revealed enemy unit does in its turn: its movement and direction, its
// action with any panic, and its fire commands, rolled or looked up for a chosen DR.
class Form9 : public QWidget {
    Q_OBJECT

public:
    // Loading the screen (Form_Load) is its construction; closing it unloads it.
    explicit Form9(QWidget* parent = nullptr);

    QLabel* HoldLB;    // heading of the upper result
    QLabel* Label10;   // upper result
    QLabel* AdvanceLB; // heading of the lower result
    QLabel* Label11;   // lower result
    QPushButton* InfActionBtn;
    QPushButton* AFVGunBtn;
    QLabel* Label2;    // the unit-action DR
    QLabel* Label3;    // the panic result
    QGroupBox* Frame3; // "Fire Commands"
    QLabel* Label6;    // marker beside IFTAttackBtn
    QLabel* Label7;    // marker beside LATWAttackBtn
    QLabel* Label8;    // marker beside OrdVsVehAttackBtn
    QLabel* Label9;    // marker beside OrdVsInfAttackBtn
    QPushButton* IFTAttackBtn;
    QPushButton* LATWAttackBtn;
    QPushButton* OrdVsVehAttackBtn;
    QPushButton* OrdVsInfAttackBtn;
    QPushButton* DR2Btn;
    QPushButton* DR3Btn;
    QPushButton* DR4Btn;
    QPushButton* DR5Btn;
    QPushButton* DR6Btn;
    QPushButton* DR7Btn;
    QPushButton* DR8Btn;
    QPushButton* DR9Btn;
    QPushButton* DR10Btn;
    QPushButton* DR11Btn;
    QPushButton* DR12Btn;
    QCheckBox* ManualDieRollCB;
    QCheckBox* AssumeIFTAttackCB;
    QGroupBox* Frame2;     // "Movement Commands"
    QPushButton* Command4; // "&AFV Move"
    QPushButton* InfantryMoveBtn;
    QLabel* Label1;  // "Hold"
    QLabel* Label4;  // "Odd"
    QLabel* Label5;  // "Even"
    QLabel* Label12; // "Advance"
    // The pending movement DRs live in these captions: empty until the first infantry movement roll.
    QPushButton* AdvanceBtn;
    QPushButton* HoldOddBtn;
    QPushButton* HoldEvenBtn;
    QCheckBox* ActivateMoveButtonCB;
    QGroupBox* Frame1; // "Movement Direction"
    QPushButton* DirectionBtn;
    QLabel* DirectionLB;
    QLabel* Image1; // the direction picture

    void Form_Load();
    void EnableIfCaptioned(QPushButton* button);

    void InfantryMoveBtn_Click();
    void HoldOddBtn_Click();
    void HoldEvenBtn_Click();
    void AdvanceBtn_Click();
    void Command4_Click();
    void ActivateMoveButtonCB_Click();
    void DirectionBtn_Click();

    void InfActionBtn_Click();
    void AFVGunBtn_Click();
    void IFTAttackBtn_Click();
    void LATWAttackBtn_Click();
    void OrdVsVehAttackBtn_Click();
    void OrdVsInfAttackBtn_Click();

    void ManualDieRollCB_Click();
    void EnableDRButtons(bool setValue);
    // DR2Btn_Click to DR12Btn_Click, which differ only in their DR.
    void DRBtn_Click(int dr);
    // A DR of the player's own looked up on an attack list, as the manual die-roll mode does, but
    // with the mode left as it is (a voice command).
    void LookUp(actions::Attack attack, int dr);

private:
    void BuildControls();
    void FireButton_Click(actions::Attack attack);
    void UnitActionRoll(const char* what);
    void ShowPendingCommand(const char* what, QPushButton* button, actions::Panel (*command)(int));
    // Puts the texts a panel sets into the result labels.
    void Show(const actions::Panel& panel);
    void ShowMarkers();
    void SetPendingDR(QPushButton* button, const QString& name, int dr);
    // Announces the upper or lower result under a spoken heading.
    void AnnounceResult(const std::string& heading, const QLabel* text);

    std::array<QPushButton*, 11> drButtons_{};
    std::array<QLabel*, 4> markers_{};
    // The manual die-roll mode and its selected list, kept while the screen is loaded.
    actions::ManualDieRoll manual_;
};

} // namespace dorva
