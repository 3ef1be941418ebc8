#pragma once

#include <QMainWindow>

class QAction;
class QCloseEvent;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace dorva {

// The main toolbar: picture buttons and menus that open every other window, and the clock timer.
class Form4 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form4(QWidget* parent = nullptr);

    // Picture buttons, left to right: Command1, Command7, Command5, Command4, Command6, Command3,
    // Command8, Command2.
    QPushButton* Command1; // set-up screen
    QPushButton* Command7; // activation screen
    QPushButton* Command5; // actions screen
    QPushButton* Command4; // close combat screen
    QPushButton* Command6; // random numbers screen
    QPushButton* Command3; // die-roll statistics
    QPushButton* Command8; // suspect-counter locations
    QPushButton* Command2; // about box

    QLabel* Label1; // time of day, below the visible area
    QLabel* Label2; // whether VASL's output file is there, below the visible area
    QTimer* Timer1;

    QMenu* mnuFile;
    QAction* mneNewGame;
    QAction* mneExit;
    QMenu* mnuGame;
    QAction* mneVASLActivationWindow;
    QAction* mneMiniControls;
    QMenu* mnuWindows;
    QAction* mneSetUp;
    QAction* mneActivation;
    QAction* mneActions;
    QAction* mneMelee;
    QAction* mneRandom;
    QAction* mneDRStats;
    QAction* mneLocations;
    QMenu* mnuHelp;
    QAction* mneAbout;
    QAction* mneWhatCanISay;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();

    void mneNewGame_Click();
    void mneExit_Click();
    void mneVASLActivationWindow_Click();
    void mneMiniControls_Click();
    void mneSetUp_Click();
    void mneActivation_Click();
    void mneActions_Click();
    void mneMelee_Click();
    void mneRandom_Click();
    void mneDRStats_Click();
    void mneLocations_Click();
    void mneAbout_Click();
    void mneWhatCanISay_Click();

    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace dorva
