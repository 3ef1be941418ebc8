#include "actions/gui/ActionsScreen.h"
#include "actions/gui/CloseCombatScreen.h"
#include "activation/gui/ActivationScreen.h"
#include "app/gui/AboutBox.h"
#include "app/gui/MiniControls.h"
#include "app/gui/Splash.h"
#include "app/gui/Toolbar.h"
#include "app/gui/VaslWindow.h"
#include "data/Announce.h"
#include "random/gui/LocationsScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "setup/gui/UserSettings.h"
#include "support/WindowTest.h"
#include "ui/Dialogs.h"
#include "ui/TableViewer.h"
#include "voice/gui/WhatCanISayWindow.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <map>

namespace dorva {
namespace {

const QString kHint = QStringLiteral("Resize and postion on screen to fit VASL layout");

// The toolbar's closing, File > Exit and its title: tests/e2e/shortcuts.sh, first_run.sh, accessibility.sh.
class AppWindows : public test::WindowTest {};

TEST_F(AppWindows, MenusCaptionsAndShortcuts) {
    const QStringList expected = {
        "&File | mneNewGame | &New Game... | Ctrl+N",
        "&File |  |  | ", // the separator before Exit
        "&File | mneExit | E&xit | Ctrl+X",
        "&Game | mneVASLActivationWindow | VASL &Activation Window... | Ctrl+V",
        "&Game | mneMiniControls | Activation Mini Controls | Ctrl+C",
        "&Windows | mneSetUp | Set&Up... | Ctrl+U",
        "&Windows | mneActivation | &Activation... | Ctrl+A",
        "&Windows | mneActions | Actions/&Prep Fire... | Ctrl+P",
        "&Windows | mneMelee | &Melee/CC... | Ctrl+M",
        "&Windows | mneRandom | &Random Number Tables | Ctrl+R",
        "&Windows | mneDRStats | &DR Stats | Ctrl+D",
        "&Windows | mneLocations | &Locations | Ctrl+L",
        "&Help | mneAbout | About DORVA &II | ",
        "&Help | mneWhatCanISay | What Can I Sa&y? | Ctrl+H",
    };
    Form4& toolbar = ui::Window<Form4>();
    QStringList shown;
    for (QAction* menu : toolbar.menuBar()->actions()) {
        for (QAction* a : menu->menu()->actions()) {
            shown << QStringList{menu->text(), a->objectName(), a->text(), a->shortcut().toString()}.join(
                " | ");
        }
    }
    EXPECT_EQ(shown, expected);
    QStringList buttons; // each button's name, and its tip where the tip says more
    for (QPushButton* button : {toolbar.Command1, toolbar.Command7, toolbar.Command5, toolbar.Command4,
                                toolbar.Command6, toolbar.Command3, toolbar.Command8, toolbar.Command2}) {
        const QString& tip = button->toolTip();
        buttons << button->accessibleName() + (tip == button->accessibleName() ? QString() : ": " + tip);
    }
    EXPECT_EQ(buttons.join('|'),
              "SetUp: General Mission Parameters|Activation: Activation and Unit Determination|"
              "Actions/Prep Fire|Melee/CC|Random Number Tables|DR Stats|Locations|About DORVA II");
}

TEST_F(AppWindows, VaslOutputFileWatchFlips) {
    Form4& toolbar = ui::Window<Form4>();
    EXPECT_TRUE(toolbar.Timer1->isActive());
    const auto watch = [&toolbar] {
        toolbar.Timer1_Timer();
        return toolbar.Label2->text();
    };
    const QString notFound = "VASL output file is not found.";
    EXPECT_EQ(watch(), notFound);
    EXPECT_EQ(toolbar.Label1->text(), "12:00:00") << "the clock ticks";
    folder.Write("vaslout.txt", "");
    EXPECT_EQ(watch(), "VASL output file is found.");
    folder.Remove("vaslout.txt");
    EXPECT_EQ(watch(), notFound);
    std::filesystem::create_directory(folder.File("vaslout.txt")); // a folder is not the file
    EXPECT_EQ(watch(), notFound);
}

// A modeless window comes back as the same window whichever way opens it. The keys are pressed with a
// screen in front, as a player does: they work from every window.
TEST_F(AppWindows, ButtonsMenuItemsAndShortcutsReachTheirWindows) {
    using Ways = std::vector<const char*>;
    // clang-format off
    const std::tuple<const char*, bool, Ways> rows[] = {
        {"Form1", true, {"Command1", "mneSetUp", "Ctrl+U"}}, {"Form5", true, {"Command3", "mneDRStats", "Ctrl+D"}},
        {"frmAbout", true, {"Command2", "mneAbout"}}, {"Form2", false, {"Command7", "mneActivation", "Ctrl+A"}},
        {"Form9", false, {"Command5", "mneActions", "Ctrl+P"}}, {"Form10", false, {"Command4", "mneMelee", "Ctrl+M"}},
        {"Form6", false, {"Command6", "mneRandom", "Ctrl+R"}}, {"Form11", false, {"Command8", "mneLocations", "Ctrl+L"}},
        {"Form8", false, {"mneVASLActivationWindow", "Ctrl+V"}}, {"Form12", false, {"mneMiniControls", "Ctrl+C"}},
        {"Form7", false, {"mneWhatCanISay", "Ctrl+H"}}};
    // clang-format on
    Form4& toolbar = ui::ShowWindow<Form4>();
    QWidget* const fronts[] = {&ui::Window<Form2>(), &ui::Window<Form9>(), &ui::Window<Form6>()};
    std::size_t turn = 0;
    std::map<std::string, QWidget*> opened;
    for (const auto& [name, modal, ways] : rows) {
        for (const char* way : ways) {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                window->setVisible(window == &toolbar);
            }
            dialogs.modal.clear();
            const bool key = QString(way).startsWith("Ctrl+");
            QWidget* front = key ? fronts[turn++ % std::size(fronts)] : &toolbar;
            if (key && front->objectName() == name) { // not the window the key opens
                front = fronts[turn++ % std::size(fronts)];
            }
            ui::ShowWindow(*front);
            ASSERT_TRUE(QTest::qWaitForWindowActive(front)); // shortcuts reach the active window only
            key ? QTest::keySequence(front, QKeySequence(way)) : Press(toolbar, way);
            QWidgetList shown = QApplication::topLevelWidgets();
            shown.removeIf([](const QWidget* w) { return !w->isVisible(); });
            EXPECT_EQ(shown.size(), (modal ? 1 : 2) + (front != &toolbar))
                << way << " opens one window besides the toolbar and the window in front";
            if (modal) {
                EXPECT_EQ(dialogs.modal, std::vector<std::string>{name}) << way;
            } else {
                const auto window = std::find_if(shown.begin(), shown.end(), [&name](const QWidget* w) {
                    return w->objectName() == name;
                });
                ASSERT_NE(window, shown.end()) << name << " by " << way;
                EXPECT_EQ(opened.try_emplace(name, *window).first->second, *window) << way;
            }
        }
    }
    ui::ShowWindow(*fronts[1]);
    ASSERT_TRUE(QTest::qWaitForWindowActive(fronts[1]));
    QTest::keySequence(fronts[1], QKeySequence("Ctrl+X"));
    EXPECT_EQ(quitter.endings, std::vector<int>{0});
    EXPECT_EQ(setup::UserSettingsStore().Get("FileLogName"), data::gLogFileName) << "saved first";
}

// The set-up screen's OK then writes the game's header: SetupLogicTest.
TEST_F(AppWindows, NewGameAsksThenStartsTheDiceAfreshAndOpensTheSetUpScreen) {
    Form4& toolbar = ui::ShowWindow<Form4>();
    for (const bool yes : {false, true}) {
        data::gDRStats[3] = 4;
        dialogs.yes = yes;
        Press(toolbar, "mneNewGame");
        EXPECT_EQ(std::make_pair(data::gDRStats[3], dialogs.modal.size()),
                  std::make_pair(yes ? 0 : 4, std::size_t{yes}));
    }
    EXPECT_EQ(dialogs.modal, std::vector<std::string>{"Form1"});
    EXPECT_EQ(dialogs.questions[0],
              "Start a new game? The die-roll statistics start afresh, and the game log "
              "gets a new header at the set-up screen's OK.");
}

// File names arrive in UTF-8, table texts in Latin-1. The log's stamp has no time zone, in any script.
TEST_F(AppWindows, MessageTextsAndTheLocaleClock) {
    EXPECT_EQ(ui::MessageText("DORVA_Support/Fran\303\247ais.sdf is not found."),
              QStringLiteral("DORVA_Support/Fran\u00e7ais.sdf is not found."));
    EXPECT_EQ(ui::MessageText("Fran\347ais"), QStringLiteral("Fran\u00e7ais"));
    app::InstallProgramSeams(); // the locale's clock
    for (const QLocale& locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::Japanese),
          QLocale(QLocale::Greek), QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        QLocale::setDefault(locale);
        const QString stamp = QString::fromStdString(platform::CurrentClock().LogStamp());
        EXPECT_TRUE(stamp.startsWith(locale.toString(QDate::currentDate(), QLocale::ShortFormat) + ' '))
            << stamp.toStdString();
        EXPECT_FALSE(stamp.contains('?') || stamp.contains(QStringLiteral("UTC"))) << stamp.toStdString();
    }
    QLocale::setDefault(QLocale::system());
}

// A two-line message, as "Speech Errors" once was, leaves room for the title beside the frame's buttons.
TEST_F(AppWindows, AMessageBoxKeepsItsTitleWhole) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("DORVA II"), QStringLiteral("TTS = 0\r\nSR = 0"),
                    QMessageBox::Ok);
    ui::KeepTitleWhole(box);
    box.show();
    QFont titleFont = box.font();
    titleFont.setBold(true);
    EXPECT_GE(box.width(), QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 150);
}

// The resize's twips edges are pinned by VaslResizeTest. Closing unloads the window: the next result is lost.
TEST_F(AppWindows, VaslWindowTakesResultsWhileOpenAndFollowsResizes) {
    Form8& window = ui::ShowWindow<Form8>();
    EXPECT_EQ(window.Text1->toPlainText(), kHint);
    data::ShowInActivationWindow("dr = 4");
    EXPECT_EQ(window.Text1->toPlainText(), "dr = 4");
    // An outer size of 6000 x 3000 twips, whatever frame the platform draws: a text box of 5900 x 2250.
    window.resize(QSize(400, 200) - (window.frameGeometry().size() - window.size()));
    ASSERT_EQ(window.frameGeometry().size(), QSize(400, 200));
    EXPECT_EQ(window.Text1->size(), QSize(393, 150));
    window.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ui::ExistingWindow<Form8>(), nullptr);
    data::ShowInActivationWindow("lost");
    Form8& again = ui::ShowWindow<Form8>();
    EXPECT_EQ(again.Text1->toPlainText(), kHint);
    EXPECT_EQ(again.frameGeometry().size(), QSize(400, 200)) << "the size the player left it at";
}

// Open or closed at File > Exit; a place on no screen any more comes back on the primary screen.
TEST_F(AppWindows, WindowsComeBackWhereThePlayerLeftThem) {
    const QRect vaslPlace(40, 300, 700, 40), randomPlace(120, 60, 520, 304);
    Form8& window = ui::ShowWindow<Form8>();
    window.setGeometry(vaslPlace);
    window.close();
    Form6& random = ui::ShowWindow<Form6>();
    random.move(randomPlace.topLeft());
    Form11& locations = ui::Window<Form11>();
    locations.move(-5000, -5000); // a screen that is gone
    ui::WindowPlaces().insert("Form11", locations.saveGeometry());
    ui::Window<Form4>().mneExit_Click();

    WindowTest::TearDown(); // a new run
    WindowTest::SetUp();
    setup::LoadWindowPlaces();
    EXPECT_EQ(ui::ShowWindow<Form8>().geometry(), vaslPlace);
    EXPECT_EQ(ui::ShowWindow<Form6>().pos(), randomPlace.topLeft());
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->availableGeometry().contains(ui::ShowWindow<Form11>().geometry()));
}

TEST_F(AppWindows, ManualActivationWithTheActivationScreenClosed) {
    test::LoadScenario();
    data::gTableA1.assign(17, "L"); // every A1 result reveals one leader
    setup::gSeeRolls = 0;
    dice.Script({3, 4, 2, 3}); // A1 DR 7, leader DR 5
    Form8& window = ui::ShowWindow<Form8>();
    ASSERT_EQ(ui::ExistingWindow<Form2>(), nullptr);

    ui::ShowWindow<Form12>().Command3->click();

    Form2* activation = ui::ExistingWindow<Form2>();
    ASSERT_NE(activation, nullptr) << "the activation screen is created to run the manual activation";
    EXPECT_FALSE(activation->isVisible());
    EXPECT_EQ(activation->Label1->text(), "Ldr6\n\n");
    EXPECT_EQ(window.Text1->toPlainText(), "Ldr6    ");
}

TEST_F(AppWindows, TableViewerRollDrReplacesTheTextAndCountsBothRolls) {
    dice.Script({3, 4, 5});
    Form3& viewer = ui::ShowWindow<Form3>();
    test::ExpectCaptions(viewer, {{"Command2", "Roll DR"}, {"Label2", "(DR/dr results here.)"}});
    Press(viewer, "Command2");
    EXPECT_EQ(viewer.Label2->text(), "DR = 7 dr = 5");
    EXPECT_EQ(data::gDRStats, test::DrCounts({5, 7 + 5})); // dr 5, DR 7
    Press(viewer, "Command1");
    EXPECT_FALSE(viewer.isVisible());
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        ui::ShowWindow(viewer);
        QTest::keyClick(viewer.Command2, key);
        EXPECT_FALSE(viewer.isVisible()) << key;
    }
}

TEST_F(AppWindows, SmallWindows) {
    frmAbout& about = ui::ShowWindow<frmAbout>();
    test::ExpectCaptions(about, {{"lblVersion", "Version 1.1.0"}, {"lblTitle", "DORVA! II"}});
    test::ExpectCaptions(ui::Window<Form12>(),
                         {{"Command1", "DR"}, {"Command2", "dr"}, {"Command3", "Man. Act"}});
    Press(about, "cmdOK");
    EXPECT_FALSE(about.isVisible());
    for (bool key : {true, false}) {
        frmSplash& splash = ui::ShowWindow<frmSplash>();
        test::ExpectCaptions(splash, {{"lblVersion", "Version 1.1.0"}, {"lblProductName", "DORVA! II"}});
        key ? QTest::keyClick(&splash, Qt::Key_Space)
            : QTest::mouseClick(splash.Frame1, Qt::LeftButton, {}, QPoint(200, 40));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(ui::ExistingWindow<frmSplash>(), nullptr) << (key ? "key" : "click");
    }
}

TEST_F(AppWindows, WhatCanISayShowsTheListAgainOnEachOpening) {
    voice::gWhatCanISayText = "activate\r\nroll dice\r\n";
    Form4& toolbar = ui::Window<Form4>();
    toolbar.mneWhatCanISay_Click();
    Form7& list = ui::Window<Form7>();
    EXPECT_EQ(list.Text1->toPlainText(), "activate\nroll dice\n");
    list.Text1->setPlainText("changed");
    voice::gWhatCanISayText = "File not found";
    toolbar.mneWhatCanISay_Click();
    EXPECT_EQ(list.Text1->toPlainText(), "File not found");
    list.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(list.isVisible());
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        toolbar.mneWhatCanISay_Click();
        QTest::keyClick(list.Text1, key);
        EXPECT_FALSE(list.isVisible()) << key;
    }
}

} // namespace
} // namespace dorva
