#pragma once

#include "setup/Startup.h"

#include <QDialog>
#include <string>

class QCheckBox;
class QComboBox;
class QEvent;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;

namespace dorva::platform {
struct RecoResult;
}

namespace dorva {

// The set-up screen: the scenario options, the game-log and speech options, and the start-up loader.
//
// It is shown modally: exec() returns QDialog::Accepted only when the player pressed OK. Closing it
// otherwise only hides it, so its lists stay filled for the next time; at start-up (no OK yet) the
// caller ends the program on any other result.
class Form1 : public QDialog, private setup::StartupView {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    QLabel* Label1;            // what the screen is for
    QComboBox* EnemyComboList; // "vs. " + nationality, one per nationality file
    QComboBox* YearComboList;  // "1938" to "1946"
    QComboBox* MonthComboList; // "January" to "December"
    QComboBox* ACComboList;    // "AC# = 2" to "AC# = 5"
    QLabel* Label2;            // red "*": the AC number can be changed on the activation screen
    QComboBox* AttitudeComboList;
    QLabel* Label3; // red "*": the attitude can be changed on the activation screen
    QCheckBox* SeeRollsCB;

    QGroupBox* Frame1; // "Special DRMs"
    QComboBox* A1DRMCB;
    QComboBox* A5DRMCB;
    QComboBox* FortsSpecialCB;

    QGroupBox* Frame4; // "Map Alignment"
    QRadioButton* HexGrainLongRB;
    QRadioButton* HexGrainShortRB;
    QLabel* Image1; // hex grid in long-grain alignment
    QLabel* Image2; // hex grid in short-grain alignment

    QGroupBox* Frame2; // "Log File"
    QCheckBox* KeepLogFileCB;
    QPushButton* ChangeLogFileBtn;
    QCheckBox* LogEveryRollCB; // the rolls of every screen go to the log too
    QLabel* Label4;            // "Log File Name:"
    QLabel* LogFileName;

    QGroupBox* Frame3; // "Speech Recognition"
    QCheckBox* RecognizeCB;
    QCheckBox* SpeechCB;
    QPushButton* SpeechErrorsBnt;
    QPushButton* VoiceLessonsBtn;
    QCheckBox* WakeWordCB;       // only phrases that begin with "Dorva" are commands
    QCheckBox* StopTalkedOverCB; // the voice falls silent when the player talks over it
    QLabel* Label7;              // "Sound Level"
    QLabel* Label6;              // the sound level as a row of asterisks

    QPushButton* OKBtn;

    // CommonDialog1, Dir1 and File1 are no widgets here: the log file dialog goes through the dialogs
    // seam (the file name it keeps is CommonDialog1FileName below), and the nationality listing of
    // DORVA_Support under the program's folder is setup::ListSupportNationalities().

    // Start-up: saved settings, lists, rule tables and the list of spoken commands.
    void LoadGameData();
    // The speech engines, once the screen is up; until then the speech controls stay disabled. The
    // program sets them up on a thread of its own and hands them over here; without engines given,
    // they are set up here and now.
    void StartSpeech();
    void StartSpeech(voice::SpeechEngineSet engines);
    // Fills the lists once per run and selects the saved positions.
    void Setup();
    // Rebuilds the enemy list from the nationality files and selects gEnemyIndex.
    void FillNationalityList();
    // Each time the screen comes up: the lists and boxes mirror the scenario parameters again.
    void Form_Activate();
    // Reads the chosen nationality's tables for the chosen date and switches to the play windows.
    void OKBtn_Click();

    void ACComboList_Click();
    void AttitudeComboList_Click();
    void A1DRMCB_Click();
    void A5DRMCB_Click();
    void FortsSpecialCB_Click();
    void HexGrainLongRB_Click();
    void HexGrainShortRB_Click();
    void SeeRollsCB_Click();

    void KeepLogFileCB_Click();
    void ChangeLogFileBtn_Click();
    void LogEveryRollCB_Click();

    void SpeechCB_Click();
    void RecognizeCB_Click();
    void WakeWordCB_Click();
    void StopTalkedOverCB_Click();
    void SpeechErrorsBnt_Click();
    void VoiceLessonsBtn_Click();
    void RecoContext_AudioLevel(int audioLevel);
    void RecoContext_FalseRecognition(const platform::RecoResult& result);
    // The recogniser stopped hearing after its set-up, and heard again.
    void RecoContext_Failure(long error);
    void RecoContext_Recovery();
    // A command was heard while the program spoke, where it cannot tell its own voice from the
    // player's: the player is asked to say it again.
    void RecoContext_SpokenOver();
    void RecoContext_WakeWord();
    void RecoContext_WakeWordExpired();

    // Whether OK has been pressed at least once in this run.
    bool Confirmed() const { return confirmed_; }
    // The file name the log file dialog keeps from one use to the next (empty until first used).
    const std::string& CommonDialog1FileName() const { return commonDialog1FileName_; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // What start-up shows here.
    void ShowSpeechEngines() override;
    void FillLists() override;
    void ShowLogFileName() override;

    void BuildControls();
    void ConnectControls();
    void ShowHexGrainPicture(QLabel* label, const QString& resource);

    bool confirmed_ = false;
    std::string commonDialog1FileName_;
};

} // namespace dorva
