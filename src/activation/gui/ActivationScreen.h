#pragma once

#include "activation/State.h"
#include "data/Tables.h"

#include <QMainWindow>
#include <QString>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace dorva {

// The activation screen: the activation roll with its modifiers, the units a suspect counter
// reveals, and the listings of the nationality's unit tables.
class Form2 : public QMainWindow, public activation::ActivationView {
    Q_OBJECT

public:
    // Loading the screen (Form_Load) is its construction; closing it unloads it.
    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

    QPushButton* ActiviondrBtn;
    QLabel* Label2;    // "DR"
    QLabel* Label3;    // "Modifiers"
    QLabel* Label4;    // "Final DR"
    QLabel* Label5;    // "AC#"
    QLabel* Label6;    // "+"
    QLabel* Label7;    // "="
    QLabel* Label8;    // the activation die
    QLabel* Label9;    // the modifier total
    QLabel* Label10;   // the final DR
    QComboBox* Combo1; // the AC number
    QLabel* Label11;   // the result line
    QCheckBox* Check1; // "&Just roll AC dr for me."
    QComboBox* AttitudeDL;
    QGroupBox* Frame1; // "AC drms"
    QCheckBox* AdjVpoCB;
    QCheckBox* StoneBuildingCB;
    QCheckBox* UnitsNearByCB;
    QComboBox* HeightDL;
    QComboBox* TerrainDL;
    QPushButton* ClearModifiersBtn;
    QCheckBox* AutoClearCB;
    QLabel* Label12; // the A1 line
    QLabel* Label1;  // the activated units
    QPushButton* ManualActivation;
    QLabel* Label14; // the special-force line
    QComboBox* SpecialForcesDL;
    QLabel* MissionParametersTB; // the scenario title
    QLabel* Label13;             // the scenario notes
    QMenu* mnuTables;
    QAction* mneSquad;
    QAction* mneLeader;
    QAction* mneSW;
    QAction* mneAFV;
    QAction* mneGunsInside;
    QAction* mneGunsOutside;
    QAction* mneSPG;

    void Form_Load();
    // The set-up screen's OK while this screen is shown: its AC number and attitude lists take the
    // scenario parameters.
    void TakeScenarioParameters();
    // The scenario title under the notes and in the window title.
    void ShowScenarioTitle(const QString& title);
    // The refresh for a newly chosen nationality; runs each time the window becomes active.
    void Form_Activate();

    void ActiviondrBtn_Click();
    void ManualActivation_Click();
    void ClearModifiersBtn_Click();

    void Combo1_Click();
    void AttitudeDL_Click();
    void AdjVpoCB_Click();
    void StoneBuildingCB_Click();
    void UnitsNearByCB_Click();
    void HeightDL_Click();
    void TerrainDL_Click();
    void Check1_Click();
    void AutoClearCB_Click();
    void SpecialForcesDL_Click();

    // The unit text, shown whole.
    void ShowUnits(const std::string& units);
    void ShowSuspectActivated();
    void ShowSuspectRemoved();
    void ShowScenarioNotes();

    void mneSquad_Click();
    void mneLeader_Click();
    void mneSW_Click();
    void mneAFV_Click();
    void mneGunsInside_Click();
    void mneGunsOutside_Click();
    void mneSPG_Click();
    void ShowInfantry(const QString& theCaption);
    void ShowLeaders(const QString& theCaption);
    void ShowAFV(const data::ListTable& whichTable, const QString& theCaption);

    // What the activation logic shows while it runs.
    void ShowA1Line(const std::string& text) override;
    void ShowSpecialForceLine(const std::string& text) override;
    void SelectUnitClass(int position) override;

    // A result text as a label shows it: its carriage returns (alone or before a line feed) become
    // line breaks.
    static QString DisplayText(const std::string& text);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenu();
    void ModifierChanged(int index, std::int16_t value);
    void ShowResultLine(const std::string& text, int red, int green, int blue);
    void ShowListing(const QString& theCaption, const std::string& listing);

    bool clearing_ = false; // the modifiers are being cleared: the shown result stands
};

} // namespace dorva
