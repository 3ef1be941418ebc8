// The shell's windows and the seams the program installs at start-up.
#include "activation/ActivationScreen.h"
#include "data/Announce.h"
#include "data/Dice.h"
#include "data/Messages.h"
#include "data/ScenarioTables.h"
#include "data/TableStore.h"
#include "setup/Params.h"
#include "shell/AboutBox.h"
#include "shell/Lifecycle.h"
#include "shell/MiniControls.h"
#include "shell/ProgramState.h"
#include "shell/Splash.h"
#include "shell/Startup.h"
#include "shell/TableViewer.h"
#include "shell/Toolbar.h"
#include "shell/VaslWindow.h"
#include "shell/Windows.h"
#include "support/DataFiles.h"
#include "support/FakeDialogs.h"
#include "support/ScriptedDice.h"
#include "voice/SpeechState.h"
#include "voice/WhatCanISayWindow.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <numeric>

namespace dorva {
namespace {

const QString kHint = QStringLiteral("Resize and postion on screen to fit VASL layout");

// Every test runs with the seams the program installs at start-up, its dialogs replaced by fakes.
class ShellWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        gui::InstallProgramSeams();
        gui::SetProgramEndHandler([this](int status) { endings_.push_back(status); });
        QFile::remove(SettingsFile());
    }
    void TearDown() override {
        gui::DestroyAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gui::SetProgramEndHandler(nullptr);
        data::SetMessageSink(nullptr);
        data::SetQuitHandler(nullptr);
        ResetProgramState(); // the log clock, log failure handler and window channel
        voice::gSpeechPlatform = nullptr;
        QFile::remove(SettingsFile());
    }
    static QString SettingsFile() { return qEnvironmentVariable("XDG_CONFIG_HOME") + "/DORVA2.ini"; }
    test::FakeDialogs dialogs_;
    std::vector<int> endings_;
};

// Menus and items in their designed order; windows of later issues are there but disabled.
TEST_F(ShellWindowsTest, MenusCaptionsAndShortcuts) {
    const QStringList expected = {
        "&File | mneExit | E&xit | Ctrl+X",
        "&Game | mneVASLActivationWindow | VASL &Activation Window... | Ctrl+V",
        "&Game | mneMiniControls | Activation Mini Controls | Ctrl+C",
        "&Windows | mneSetUp | Set&Up... | Ctrl+U",
        "&Windows | mneActivation | &Activation... | Ctrl+A",
        "&Windows | mneActions | Actions/&Prep Fire... | Ctrl+P | disabled",
        "&Windows | mneMelee | &Melee/CC... | Ctrl+M | disabled",
        "&Windows | mneRandom | &Random Number Tables | Ctrl+R | disabled",
        "&Windows | mneDRStats | &DR Stats | Ctrl+D",
        "&Windows | mneLocations | &Locations | Ctrl+L | disabled",
        "&Help | mneAbout | About DORVA &II | ",
        "&Help | mneWhatCanISay | What Can I Sa&y? | Ctrl+H",
    };
    Form4& toolbar = gui::Window<Form4>();
    EXPECT_EQ(toolbar.windowTitle(), "DORVA II Toolbar");
    QStringList shown;
    for (QAction* menu : toolbar.menuBar()->actions()) {
        for (QAction* a : menu->menu()->actions()) {
            shown << QStringList{menu->text(), a->objectName(), a->text(), a->shortcut().toString()}.join(
                         " | ") +
                         (a->isEnabled() ? "" : " | disabled");
        }
    }
    EXPECT_EQ(shown, expected);
    for (QPushButton* button : {toolbar.Command5, toolbar.Command4, toolbar.Command6, toolbar.Command8}) {
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    }
}

TEST_F(ShellWindowsTest, VaslOutputFileWatchFlips) {
    test::SupportFolder support;
    Form4& toolbar = gui::Window<Form4>();
    EXPECT_TRUE(toolbar.Timer1->isActive());
    const char* notFound = "VASL output file is not found.";
    toolbar.Timer1_Timer();
    EXPECT_EQ(toolbar.Label2->text(), notFound);
    EXPECT_NE(toolbar.Label1->text(), "Label1") << "the clock ticks";
    support.Write("vaslout.txt", "");
    toolbar.Timer1_Timer();
    EXPECT_EQ(toolbar.Label2->text(), "VASL output file is found.");
    support.Remove("vaslout.txt");
    toolbar.Timer1_Timer();
    EXPECT_EQ(toolbar.Label2->text(), notFound);
    std::filesystem::create_directory(support.File("vaslout.txt")); // a folder is not the file
    toolbar.Timer1_Timer();
    EXPECT_EQ(toolbar.Label2->text(), notFound);
}

// Closing the toolbar ends the run with nothing saved; Exit saves the parameters first.
TEST_F(ShellWindowsTest, ExitSavesWhileClosingDoesNot) {
    setup::gNationality = "German";
    setup::gACNumber = 5;
    setup::gMonthIndex = 5;
    gui::ShowWindow<Form4>();
    gui::ShowWindow<Form2>();
    gui::Window<Form4>().close();
    EXPECT_EQ(endings_, std::vector<int>({0}));
    EXPECT_FALSE(QFile::exists(SettingsFile()));
    gui::ShowWindow<Form4>().mneExit->trigger();
    EXPECT_EQ(endings_, std::vector<int>({0, 0}));
    QSettings saved(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(saved.value("Params/FileName").toString(), "German");
    EXPECT_EQ(saved.value("Params/ACNumber").toString(), "3");
    EXPECT_EQ(saved.value("Params/Month").toString(), "5");
    EXPECT_EQ(saved.value("Params/KeepLogFile").toString(), "0");
}

TEST_F(ShellWindowsTest, ModalWindowsGoThroughTheDialogs) {
    Form4& toolbar = gui::ShowWindow<Form4>();
    toolbar.mneSetUp_Click();
    toolbar.Command1->click();
    toolbar.mneDRStats_Click();
    toolbar.Command3->click();
    toolbar.mneAbout_Click();
    toolbar.Command2->click();
    EXPECT_EQ(dialogs_.modal, QStringList({"Form1", "Form1", "Form5", "Form5", "frmAbout", "frmAbout"}));
}

// Each modeless window opens once; opening it again, even after hiding it, brings the same one back.
TEST_F(ShellWindowsTest, ModelessWindowsAreSingleInstances) {
    Form4& toolbar = gui::ShowWindow<Form4>();
    const auto openAll = [&toolbar] {
        toolbar.Command7->click();
        toolbar.mneVASLActivationWindow_Click();
        toolbar.mneMiniControls_Click();
        toolbar.mneWhatCanISay_Click();
    };
    openAll();
    Form2* activation = gui::ExistingWindow<Form2>();
    const qsizetype windows = QApplication::topLevelWidgets().size();
    activation->hide();
    openAll();
    toolbar.mneActivation_Click();
    EXPECT_EQ(gui::ExistingWindow<Form2>(), activation);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
    EXPECT_TRUE(gui::IsWindowVisible<Form2>() && gui::IsWindowVisible<Form8>() &&
                gui::IsWindowVisible<Form12>() && gui::IsWindowVisible<Form7>());
}

// File names arrive in UTF-8, table texts in Latin-1; both reach the message box intact. The
// speech platform speaks nothing.
TEST_F(ShellWindowsTest, MessageBoxesAndSpeech) {
    ASSERT_NE(voice::gSpeechPlatform, nullptr);
    std::unique_ptr<platform::Voice> voice;
    EXPECT_NE(voice::gSpeechPlatform->CreateVoice(voice), 0);
    EXPECT_EQ(voice, nullptr);
    data::ShowMessage("DORVA_Support/Fran\303\247ais.sdf is not found.", false);
    data::ShowMessage("Fran\347ais", false);
    EXPECT_EQ(dialogs_.messages, QStringList({QStringLiteral("DORVA_Support/Fran\u00e7ais.sdf is not found."),
                                              QStringLiteral("Fran\u00e7ais")}));
}

// Log lines carry the locale's date and time; a log that cannot be written is reported once.
TEST_F(ShellWindowsTest, TheGameLog) {
    QTemporaryDir folder;
    data::gLogFileName = QDir(folder.path()).filePath("game.txt").toStdString();
    ASSERT_TRUE(data::WriteLogEntry("(S? removed)"));
    QFile log(QString::fromStdString(data::gLogFileName));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString line = QString::fromLatin1(log.readAll());
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    EXPECT_TRUE(line.startsWith(date + ' ') && line.endsWith(": (S? removed)\r\n")) << line.toStdString();

    data::gLogFileName = QDir(folder.path()).filePath("no-such-folder/game.txt").toStdString();
    EXPECT_FALSE(data::WriteLogEntry("first"));
    EXPECT_FALSE(data::WriteLogEntry("second"));
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_TRUE(
        dialogs_.messages.front().contains(QString::fromStdString(data::gLogFileName) + " cannot be written"))
        << dialogs_.messages.front().toStdString();
}

// Resizes the window to an outer size in pixels, whatever frame the platform draws around it.
void ResizeOuter(QWidget& window, int width, int height) {
    const QSize frame = window.frameGeometry().size() - window.size();
    window.resize(width - frame.width(), height - frame.height());
    ASSERT_EQ(window.frameGeometry().size(), QSize(width, height));
}

// The rule's twips edges are pinned by VaslResizeTest; here the window applies it on every resize.
TEST_F(ShellWindowsTest, VaslWindowResizeFollowsTheRule) {
    Form8& window = gui::ShowWindow<Form8>();
    EXPECT_EQ(window.size(), QSize(612, 26));
    ResizeOuter(window, 400, 53); // 6000 x 795 twips: 5900 wide, the height stays
    EXPECT_EQ(window.Text1->size(), QSize(393, 25));
    ResizeOuter(window, 400, 54); // 810 twips high: 60 twips, 4 pixels
    EXPECT_EQ(window.Text1->size(), QSize(393, 4));
    ResizeOuter(window, 400, 200); // 3000 twips: 2250 twips
    EXPECT_EQ(window.Text1->height(), 150);
    ResizeOuter(window, 300, 40); // back at or below 800 twips: the grown height stays
    EXPECT_EQ(window.Text1->size(), QSize(293, 150));
}

TEST_F(ShellWindowsTest, ResultsReachTheWindowOnlyWhileItIsOpen) {
    data::ShowInActivationWindow("DR = 7"); // closed: nothing
    Form8& window = gui::ShowWindow<Form8>();
    EXPECT_EQ(window.Text1->toPlainText(), kHint);
    data::ShowInActivationWindow("dr = 4"); // open: the next result replaces the hint
    EXPECT_EQ(window.Text1->toPlainText(), "dr = 4");
    data::ShowActivationText("4-6-7\r8-3-8\r"); // carriage returns become two blanks
    EXPECT_EQ(window.Text1->toPlainText(), "4-6-7  8-3-8  ");
    data::ShowActivationText("a\r\nb");
    EXPECT_EQ(window.Text1->toPlainText(), "a  \nb");

    // Closing unloads it: the next result is lost, and it opens again as designed.
    window.resize(300, 120);
    window.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(gui::ExistingWindow<Form8>(), nullptr);
    data::ShowInActivationWindow("lost");
    Form8& again = gui::ShowWindow<Form8>();
    EXPECT_EQ(again.Text1->toPlainText(), kHint);
    EXPECT_EQ(again.size(), QSize(612, 26));
}

// Only Man. Act works until the random numbers screen that DR and dr roll on is part of the program.
TEST_F(ShellWindowsTest, MiniControlsCaptions) {
    Form12& controls = gui::Window<Form12>();
    QStringList row;
    for (QPushButton* button : {controls.Command1, controls.Command2, controls.Command3}) {
        row << button->objectName() + ' ' + button->text() + (button->isEnabled() ? "" : " disabled");
    }
    EXPECT_EQ(row, QStringList({"Command1 DR disabled", "Command2 dr disabled", "Command3 Man. Act"}));
}

TEST_F(ShellWindowsTest, ManualActivationWithTheActivationScreenClosed) {
    // Every A1 result reveals one leader; the leader table names each entry by its number.
    data::gTableA1.assign(16, "L");
    data::gTableA1[0].clear();
    for (int i = 0; i <= 14; ++i) {
        data::gLeaderTable.push_back("leader " + std::to_string(i));
    }
    setup::gSeeRolls = 0;
    test::ScriptedDice dice{3, 4, 2, 3}; // A1 DR 7, leader DR 5
    Form8& vasl = gui::ShowWindow<Form8>();
    ASSERT_EQ(gui::ExistingWindow<Form2>(), nullptr);

    gui::ShowWindow<Form12>().Command3->click();

    Form2* activation = gui::ExistingWindow<Form2>();
    ASSERT_NE(activation, nullptr) << "the activation screen is created to run the manual activation";
    EXPECT_FALSE(activation->isVisible());
    EXPECT_TRUE(activation->Label1->text().contains("leader 6")) << activation->Label1->text().toStdString();
    EXPECT_TRUE(vasl.Text1->toPlainText().contains("leader 6")) << vasl.Text1->toPlainText().toStdString();
    EXPECT_EQ(dice.Remaining(), 0u);
}

// Each press replaces the text and counts one DR and one dr in the statistics; OK hides the viewer.
TEST_F(ShellWindowsTest, TableViewerRollDrReplacesTheTextAndCountsBothRolls) {
    test::ScriptedDice dice{3, 4, 5, 6, 6, 1};
    Form3& viewer = gui::ShowWindow<Form3>();
    auto* roll = viewer.findChild<QPushButton*>("Command2");
    EXPECT_EQ(roll->text(), "Roll DR");
    EXPECT_EQ(viewer.Label2->text(), "(DR/dr results here.)");
    roll->click();
    EXPECT_EQ(viewer.Label2->text(), "DR = 7 dr = 5");
    EXPECT_EQ(data::gDRStats[7 + 5], 1); // DR 7
    EXPECT_EQ(data::gDRStats[5], 1);     // dr 5
    roll->click();
    EXPECT_EQ(viewer.Label2->text(), "DR = 12 dr = 1");
    EXPECT_EQ(data::gDRStats[12 + 5], 1);
    EXPECT_EQ(data::gDRStats[1], 1);
    EXPECT_EQ(std::accumulate(std::begin(data::gDRStats), std::end(data::gDRStats), 0), 4);
    viewer.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(ShellWindowsTest, AboutAndSplashTexts) {
    frmAbout& about = gui::ShowWindow<frmAbout>();
    frmSplash& splash = gui::Window<frmSplash>();
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), "Version 1.1.0");
    EXPECT_EQ(about.findChild<QLabel*>("lblTitle")->text(), "DORVA! II");
    EXPECT_EQ(splash.findChild<QLabel*>("lblVersion")->text(), "Version 1.1.0");
    EXPECT_EQ(splash.findChild<QLabel*>("lblProductName")->text(), "DORVA! II");
    about.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(about.isVisible());
}

// The splash unloads on a key or on a click on its frame.
TEST_F(ShellWindowsTest, SplashClosesOnAKeyOrAClick) {
    for (bool key : {true, false}) {
        frmSplash& splash = gui::ShowWindow<frmSplash>();
        if (key) {
            QTest::keyClick(&splash, Qt::Key_Space);
        } else {
            QTest::mouseClick(splash.Frame1, Qt::LeftButton, {}, QPoint(200, 40));
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(gui::ExistingWindow<frmSplash>(), nullptr) << (key ? "key" : "click");
    }
}

// The player may edit the shown list; opening it again puts the list back.
TEST_F(ShellWindowsTest, WhatCanISayShowsTheListAgainOnEachOpening) {
    voice::gWhatCanISayText = "activate\r\nroll dice\r\n";
    Form4& toolbar = gui::Window<Form4>();
    toolbar.mneWhatCanISay_Click();
    Form7& list = gui::Window<Form7>();
    EXPECT_EQ(list.Text1->toPlainText(), "activate\nroll dice\n");
    list.Text1->setPlainText("changed");
    voice::gWhatCanISayText = "File not found";
    toolbar.mneWhatCanISay_Click();
    EXPECT_EQ(list.Text1->toPlainText(), "File not found");
    list.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(list.isVisible());
}

} // namespace
} // namespace dorva
