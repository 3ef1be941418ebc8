#include "app/gui/Toolbar.h"

#include "actions/gui/ActionsScreen.h"
#include "actions/gui/CloseCombatScreen.h"
#include "activation/gui/ActivationScreen.h"
#include "app/gui/AboutBox.h"
#include "app/gui/MiniControls.h"
#include "app/gui/VaslWindow.h"
#include "data/SupportFolder.h"
#include "data/gui/DieRollStatsWindow.h"
#include "platform/Seams.h"
#include "random/gui/LocationsScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "setup/GameRecord.h"
#include "setup/gui/SetupScreen.h"
#include "setup/gui/UserSettings.h"
#include "ui/Dialogs.h"
#include "ui/Pictures.h"
#include "ui/Text.h"
#include "ui/Windows.h"
#include "voice/SpeechSetup.h"
#include "voice/State.h"
#include "voice/gui/WhatCanISayWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace dorva {
namespace {

QPushButton* PictureButton(QWidget* parent, const char* name, int left, const QString& picture) {
    using ui::Twips;
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(Twips(left), Twips(120), Twips(800), Twips(800));
    button->setIcon(ui::PictureIcon(picture));
    button->setIconSize(QSize(48, 48));
    return button;
}

// The keys of the toolbar's menus open their windows from every window of the program, so that the
// player need not go back to the toolbar first. A text box with the focus keeps its own editing keys
// (Ctrl+C copies, Ctrl+V pastes, Ctrl+X cuts, Ctrl+A selects), which Qt puts before them; a modal
// window holds them back, as it holds back the toolbar itself.
QAction* MenuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    item->setShortcutContext(Qt::ApplicationShortcut);
    return item;
}

} // namespace

Form4::Form4(QWidget* parent) : QMainWindow(parent) {
    using ui::Twips;
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("DORVA II Toolbar"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Twips(6705), Twips(990));
    setCentralWidget(client);

    Command1 = PictureButton(client, "Command1", 0, QStringLiteral(":/pictures/toolbar/setup.svg"));
    Command1->setToolTip(QStringLiteral("General Mission Parameters"));
    Command7 = PictureButton(client, "Command7", 840, QStringLiteral(":/pictures/toolbar/activation.svg"));
    Command7->setToolTip(QStringLiteral("Activation and Unit Determination"));
    Command5 = PictureButton(client, "Command5", 1680, QStringLiteral(":/pictures/toolbar/actions.svg"));
    Command4 = PictureButton(client, "Command4", 2520, QStringLiteral(":/pictures/toolbar/closecombat.svg"));
    Command6 = PictureButton(client, "Command6", 3360, QStringLiteral(":/pictures/toolbar/random.svg"));
    Command3 = PictureButton(client, "Command3", 4200, QStringLiteral(":/pictures/toolbar/stats.svg"));
    Command8 = PictureButton(client, "Command8", 5040, QStringLiteral(":/pictures/toolbar/locations.svg"));
    Command2 = PictureButton(client, "Command2", 5880, QStringLiteral(":/pictures/toolbar/about.svg"));

    // Both labels lie below the client area's designed height, so they are present but not in view.
    Label1 = new QLabel(QStringLiteral("Label1"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips(120), Twips(1080), Twips(2295), Twips(255));
    Label2 = new QLabel(QStringLiteral("Label2"), client);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Twips(2640), Twips(1080), Twips(2295), Twips(255));

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mneNewGame =
        MenuItem(mnuFile, "mneNewGame", QStringLiteral("&New Game..."), QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuFile->addSeparator();
    mneExit = MenuItem(mnuFile, "mneExit", QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_X));

    mnuGame = menuBar()->addMenu(QStringLiteral("&Game"));
    mnuGame->setObjectName(QStringLiteral("mnuGame"));
    mneVASLActivationWindow =
        MenuItem(mnuGame, "mneVASLActivationWindow", QStringLiteral("VASL &Activation Window..."),
                 QKeySequence(Qt::CTRL | Qt::Key_V));
    mneMiniControls = MenuItem(mnuGame, "mneMiniControls", QStringLiteral("Activation Mini Controls"),
                               QKeySequence(Qt::CTRL | Qt::Key_C));

    mnuWindows = menuBar()->addMenu(QStringLiteral("&Windows"));
    mnuWindows->setObjectName(QStringLiteral("mnuWindows"));
    mneSetUp =
        MenuItem(mnuWindows, "mneSetUp", QStringLiteral("Set&Up..."), QKeySequence(Qt::CTRL | Qt::Key_U));
    mneActivation = MenuItem(mnuWindows, "mneActivation", QStringLiteral("&Activation..."),
                             QKeySequence(Qt::CTRL | Qt::Key_A));
    mneActions = MenuItem(mnuWindows, "mneActions", QStringLiteral("Actions/&Prep Fire..."),
                          QKeySequence(Qt::CTRL | Qt::Key_P));
    mneMelee =
        MenuItem(mnuWindows, "mneMelee", QStringLiteral("&Melee/CC..."), QKeySequence(Qt::CTRL | Qt::Key_M));
    mneRandom = MenuItem(mnuWindows, "mneRandom", QStringLiteral("&Random Number Tables"),
                         QKeySequence(Qt::CTRL | Qt::Key_R));
    mneDRStats =
        MenuItem(mnuWindows, "mneDRStats", QStringLiteral("&DR Stats"), QKeySequence(Qt::CTRL | Qt::Key_D));
    mneLocations = MenuItem(mnuWindows, "mneLocations", QStringLiteral("&Locations"),
                            QKeySequence(Qt::CTRL | Qt::Key_L));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mneAbout = MenuItem(mnuHelp, "mneAbout", QStringLiteral("About DORVA &II"), QKeySequence());
    mneWhatCanISay = MenuItem(mnuHelp, "mneWhatCanISay", QStringLiteral("What Can I Sa&y?"),
                              QKeySequence(Qt::CTRL | Qt::Key_H));

    // The picture buttons show no text: a screen reader says what each does in the words of its
    // menu item, and a tooltip shows them where the button has no words of its own.
    for (const auto& [button, item] : {std::pair{Command1, mneSetUp},
                                       {Command7, mneActivation},
                                       {Command5, mneActions},
                                       {Command4, mneMelee},
                                       {Command6, mneRandom},
                                       {Command3, mneDRStats},
                                       {Command8, mneLocations},
                                       {Command2, mneAbout}}) {
        QString words = item->text().remove(QLatin1Char('&'));
        if (words.endsWith(QStringLiteral("..."))) {
            words.chop(3);
        }
        button->setAccessibleName(words);
        if (button->toolTip().isEmpty()) {
            button->setToolTip(words);
        }
    }

    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form4::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form4::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form4::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form4::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form4::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form4::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form4::Command8_Click);
    connect(mneNewGame, &QAction::triggered, this, &Form4::mneNewGame_Click);
    connect(mneExit, &QAction::triggered, this, &Form4::mneExit_Click);
    connect(mneVASLActivationWindow, &QAction::triggered, this, &Form4::mneVASLActivationWindow_Click);
    connect(mneMiniControls, &QAction::triggered, this, &Form4::mneMiniControls_Click);
    connect(mneSetUp, &QAction::triggered, this, &Form4::mneSetUp_Click);
    connect(mneActivation, &QAction::triggered, this, &Form4::mneActivation_Click);
    connect(mneActions, &QAction::triggered, this, &Form4::mneActions_Click);
    connect(mneMelee, &QAction::triggered, this, &Form4::mneMelee_Click);
    connect(mneRandom, &QAction::triggered, this, &Form4::mneRandom_Click);
    connect(mneDRStats, &QAction::triggered, this, &Form4::mneDRStats_Click);
    connect(mneLocations, &QAction::triggered, this, &Form4::mneLocations_Click);
    connect(mneAbout, &QAction::triggered, this, &Form4::mneAbout_Click);
    connect(mneWhatCanISay, &QAction::triggered, this, &Form4::mneWhatCanISay_Click);

    // The window is not resizable: it keeps the size of its client area and menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // The first time it opens at the top right of the screen, out of the way of the screens it opens,
    // which come up where the window manager puts them; after that, where the player left it.
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        const int margin = 24; // room for the window manager's frame
        move(available.right() - width() - margin, available.top() + margin);
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Form4::Timer1_Timer);
    Timer1->start();
}

void Form4::Command1_Click() {
    mneSetUp_Click();
}
void Form4::Command2_Click() {
    mneAbout_Click();
}
void Form4::Command3_Click() {
    mneDRStats_Click();
}
void Form4::Command4_Click() {
    mneMelee_Click();
}
void Form4::Command5_Click() {
    mneActions_Click();
}
void Form4::Command6_Click() {
    mneRandom_Click();
}
void Form4::Command7_Click() {
    mneActivation_Click();
}
void Form4::Command8_Click() {
    mneLocations_Click();
}

void Form4::mneNewGame_Click() {
    // The statistics of a game are worth keeping: a slip of the mouse must not throw them away.
    if (!platform::CurrentDialogs().Ask("Start a new game? The die-roll statistics start afresh, and the "
                                        "game log gets a new header at the set-up screen's OK.")) {
        return;
    }
    setup::NewGame();
    mneSetUp_Click();
}

void Form4::mneExit_Click() {
    setup::SaveUserSettings();
    platform::CurrentQuitter().EndRun(0);
}

void Form4::mneVASLActivationWindow_Click() {
    ui::ShowWindow<Form8>();
}
void Form4::mneMiniControls_Click() {
    ui::ShowWindow<Form12>();
}
void Form4::mneSetUp_Click() {
    ui::ExecModal(ui::Window<Form1>());
}
void Form4::mneActivation_Click() {
    ui::ShowWindow<Form2>();
}
void Form4::mneActions_Click() {
    ui::ShowWindow<Form9>();
}
void Form4::mneMelee_Click() {
    ui::ShowWindow<Form10>();
}
void Form4::mneRandom_Click() {
    ui::ShowWindow<Form6>();
}
void Form4::mneDRStats_Click() {
    ui::ExecModal(ui::Window<Form5>());
}
void Form4::mneLocations_Click() {
    ui::ShowWindow<Form11>();
}
void Form4::mneAbout_Click() {
    ui::ExecModal(ui::Window<frmAbout>());
}

void Form4::mneWhatCanISay_Click() {
    Form7& list = ui::Window<Form7>();
    list.Text1->setPlainText(ui::ToQt(voice::WhatCanISayShown()));
    ui::ShowWindow(list);
}

void Form4::Timer1_Timer() {
    Label1->setText(QString::fromStdString(platform::CurrentClock().TimeOfDay()));
    const bool found = data::SupportFileExists(data::SupportPath("vaslout.txt"));
    Label2->setText(found ? QStringLiteral("VASL output file is found.")
                          : QStringLiteral("VASL output file is not found."));
}

void Form4::closeEvent(QCloseEvent* event) {
    // Closing the toolbar ends the whole run at once, without saving the settings.
    event->accept();
    platform::CurrentQuitter().EndRun(0);
}

} // namespace dorva
