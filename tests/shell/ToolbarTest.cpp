#include "shell/Toolbar.h"
#include "FakeDialogs.h"
#include "activation/ActivationScreen.h"
#include "setup/Params.h"
#include "shell/Lifecycle.h"
#include "shell/ProgramState.h"
#include "shell/Windows.h"
#include "support/DataFiles.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <gtest/gtest.h>

namespace dorva {
namespace {

class ToolbarTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        gui::SetProgramEndHandler([this](int status) { endings_.push_back(status); });
    }
    void TearDown() override {
        gui::DestroyAllWindows();
        gui::SetProgramEndHandler(nullptr);
    }
    std::vector<int> endings_;
};

struct MenuItemSpec {
    const char* menu;
    const char* menuCaption;
    const char* item;
    const char* caption;
    const char* shortcut;
};

TEST_F(ToolbarTest, MenusCaptionsAndShortcuts) {
    const MenuItemSpec items[] = {
        {"mnuFile", "&File", "mneExit", "E&xit", "Ctrl+X"},
        {"mnuGame", "&Game", "mneVASLActivationWindow", "VASL &Activation Window...", "Ctrl+V"},
        {"mnuGame", "&Game", "mneMiniControls", "Activation Mini Controls", "Ctrl+C"},
        {"mnuWindows", "&Windows", "mneSetUp", "Set&Up...", "Ctrl+U"},
        {"mnuWindows", "&Windows", "mneActivation", "&Activation...", "Ctrl+A"},
        {"mnuWindows", "&Windows", "mneActions", "Actions/&Prep Fire...", "Ctrl+P"},
        {"mnuWindows", "&Windows", "mneMelee", "&Melee/CC...", "Ctrl+M"},
        {"mnuWindows", "&Windows", "mneRandom", "&Random Number Tables", "Ctrl+R"},
        {"mnuWindows", "&Windows", "mneDRStats", "&DR Stats", "Ctrl+D"},
        {"mnuWindows", "&Windows", "mneLocations", "&Locations", "Ctrl+L"},
        {"mnuHelp", "&Help", "mneAbout", "About DORVA &II", ""},
        {"mnuHelp", "&Help", "mneWhatCanISay", "What Can I Sa&y?", "Ctrl+H"},
    };
    Form4& toolbar = gui::Window<Form4>();
    EXPECT_EQ(toolbar.windowTitle(), "DORVA II Toolbar");
    QStringList menuOrder;
    for (QAction* a : toolbar.menuBar()->actions()) {
        menuOrder << a->menu()->objectName();
    }
    EXPECT_EQ(menuOrder, QStringList({"mnuFile", "mnuGame", "mnuWindows", "mnuHelp"}));
    for (const MenuItemSpec& spec : items) {
        SCOPED_TRACE(spec.item);
        auto* menu = toolbar.findChild<QMenu*>(spec.menu);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), spec.menuCaption);
        auto* item = toolbar.findChild<QAction*>(spec.item);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(menu->actions().contains(item));
        EXPECT_EQ(item->text(), spec.caption);
        EXPECT_EQ(item->shortcut().toString(), spec.shortcut);
    }
    // Items appear in the designed order within their menus.
    auto* windows = toolbar.findChild<QMenu*>("mnuWindows");
    QStringList order;
    for (QAction* a : windows->actions()) {
        order << a->objectName();
    }
    EXPECT_EQ(order, QStringList({"mneSetUp", "mneActivation", "mneActions", "mneMelee", "mneRandom",
                                  "mneDRStats", "mneLocations"}));
}

TEST_F(ToolbarTest, PictureButtonsTooltipsAndPositions) {
    struct ButtonSpec {
        const char* name;
        int left;
        const char* tooltip;
    };
    const ButtonSpec buttons[] = {
        {"Command1", 0, "General Mission Parameters"},
        {"Command7", 56, "Activation and Unit Determination"},
        {"Command5", 112, ""},
        {"Command4", 168, ""},
        {"Command6", 224, ""},
        {"Command3", 280, ""},
        {"Command8", 336, ""},
        {"Command2", 392, ""},
    };
    Form4& toolbar = gui::Window<Form4>();
    for (const ButtonSpec& spec : buttons) {
        SCOPED_TRACE(spec.name);
        auto* button = toolbar.findChild<QPushButton*>(spec.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->geometry(), QRect(spec.left, 8, 53, 53));
        EXPECT_EQ(button->toolTip(), spec.tooltip);
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_EQ(button->iconSize(), QSize(48, 48));
    }
    EXPECT_EQ(toolbar.centralWidget()->size(), QSize(447, 66));
    // The clock and file labels lie below the visible client area.
    EXPECT_GE(toolbar.Label1->y(), toolbar.centralWidget()->height());
    EXPECT_GE(toolbar.Label2->y(), toolbar.centralWidget()->height());
}

TEST_F(ToolbarTest, TimerRunsFromLoad) {
    Form4& toolbar = gui::Window<Form4>();
    EXPECT_TRUE(toolbar.Timer1->isActive());
    EXPECT_EQ(toolbar.Timer1->interval(), 1000);
    EXPECT_EQ(toolbar.Label1->text(), "Label1");
    EXPECT_EQ(toolbar.Label2->text(), "Label2");
}

TEST_F(ToolbarTest, VaslOutputFileWatchFlips) {
    test::SupportFolder support;
    Form4& toolbar = gui::Window<Form4>();
    toolbar.Timer1_Timer();
    EXPECT_EQ(toolbar.Label2->text(), "VASL output file is not found.");
    EXPECT_FALSE(toolbar.Label1->text().isEmpty());
    EXPECT_NE(toolbar.Label1->text(), "Label1");
    support.Write("vaslout.txt", "");
    toolbar.Timer1_Timer();
    EXPECT_EQ(toolbar.Label2->text(), "VASL output file is found.");
    support.Remove("vaslout.txt");
    toolbar.Timer1_Timer();
    EXPECT_EQ(toolbar.Label2->text(), "VASL output file is not found.");
    // A folder of that name is not the file.
    std::filesystem::create_directory(support.File("vaslout.txt"));
    toolbar.Timer1_Timer();
    EXPECT_EQ(toolbar.Label2->text(), "VASL output file is not found.");
}

// The settings file of the test's own settings folder.
QString SettingsFile() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/DORVA2.ini");
}

TEST_F(ToolbarTest, ClosingEndsTheRunWithoutSaving) {
    QFile::remove(SettingsFile());
    Form4& toolbar = gui::ShowWindow<Form4>();
    gui::ShowWindow<Form2>();
    toolbar.close();
    EXPECT_EQ(endings_, std::vector<int>({0}));
    EXPECT_FALSE(QFile::exists(SettingsFile()));
}

TEST_F(ToolbarTest, ExitSavesThenEnds) {
    QFile::remove(SettingsFile());
    setup::gNationality = "German";
    setup::gACNumber = 5;
    setup::gMonthIndex = 5;
    Form4& toolbar = gui::ShowWindow<Form4>();
    toolbar.mneExit->trigger();
    EXPECT_EQ(endings_, std::vector<int>({0}));
    ASSERT_TRUE(QFile::exists(SettingsFile()));
    QSettings saved(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(saved.value("Params/FileName").toString(), "German");
    EXPECT_EQ(saved.value("Params/ACNumber").toString(), "3");
    EXPECT_EQ(saved.value("Params/Month").toString(), "5");
    EXPECT_EQ(saved.value("Params/KeepLogFile").toString(), "0");
    QFile::remove(SettingsFile());
}

TEST_F(ToolbarTest, ModalWindowsGoThroughTheDialogs) {
    test::FakeDialogs dialogs;
    Form4& toolbar = gui::ShowWindow<Form4>();
    toolbar.mneSetUp_Click();
    toolbar.Command1->click();
    toolbar.mneDRStats_Click();
    toolbar.Command3->click();
    toolbar.mneAbout_Click();
    EXPECT_EQ(dialogs.modal, QStringList({"Form1", "Form1", "Form5", "Form5", "frmAbout"}));
}

TEST_F(ToolbarTest, ModelessWindowsOpenOnceAndComeForward) {
    Form4& toolbar = gui::ShowWindow<Form4>();
    toolbar.mneActivation_Click();
    Form2* activation = gui::ExistingWindow<Form2>();
    ASSERT_NE(activation, nullptr);
    EXPECT_TRUE(activation->isVisible());
    activation->hide();
    toolbar.Command7->click();
    EXPECT_EQ(gui::ExistingWindow<Form2>(), activation);
    EXPECT_TRUE(activation->isVisible());
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        count += qobject_cast<Form2*>(w) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(count, 1);
}

TEST_F(ToolbarTest, WindowsOfLaterIssuesAreDisabled) {
    Form4& toolbar = gui::Window<Form4>();
    for (QPushButton* button : {toolbar.Command5, toolbar.Command4, toolbar.Command6, toolbar.Command8}) {
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    }
    for (QAction* item : {toolbar.mneActions, toolbar.mneMelee, toolbar.mneRandom, toolbar.mneLocations}) {
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    }
    for (QPushButton* button : {toolbar.Command1, toolbar.Command7, toolbar.Command3, toolbar.Command2}) {
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    }
}

} // namespace
} // namespace dorva
