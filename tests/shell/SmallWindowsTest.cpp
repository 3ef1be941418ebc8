#include "FakeDialogs.h"
#include "shell/AboutBox.h"
#include "shell/ProgramState.h"
#include "shell/Splash.h"
#include "shell/Toolbar.h"
#include "shell/Windows.h"
#include "voice/SpeechState.h"
#include "voice/WhatCanISayWindow.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace dorva {
namespace {

class SmallWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override {
        gui::DestroyAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QString LabelText(QWidget& window, const char* name) {
    auto* label = window.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

TEST_F(SmallWindowsTest, AboutBoxTexts) {
    frmAbout& about = gui::Window<frmAbout>();
    EXPECT_EQ(about.windowTitle(), "About DORVA II");
    EXPECT_EQ(LabelText(about, "lblVersion"), "Version 1.1.0");
    EXPECT_EQ(LabelText(about, "lblTitle"), "DORVA! II");
    EXPECT_EQ(LabelText(about, "lblDescription"), "A handy Game Assistant for solitaire play.");
    EXPECT_FALSE(LabelText(about, "lblDisclaimer").isEmpty());
    EXPECT_NE(about.findChild<QLabel*>("Image1"), nullptr);
    EXPECT_TRUE(about.isModal());
    about.show();
    about.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(about.isVisible());
}

TEST_F(SmallWindowsTest, ToolbarShowsTheAboutBoxModally) {
    test::FakeDialogs dialogs;
    Form4& toolbar = gui::Window<Form4>();
    toolbar.mneAbout_Click();
    toolbar.Command2->click();
    EXPECT_EQ(dialogs.modal, QStringList({"frmAbout", "frmAbout"}));
}

TEST_F(SmallWindowsTest, SplashTexts) {
    frmSplash& splash = gui::Window<frmSplash>();
    EXPECT_EQ(LabelText(splash, "lblVersion"), "Version 1.1.0");
    EXPECT_EQ(LabelText(splash, "lblProductName"), "DORVA! II");
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::SplashScreen));
    auto* frame = splash.findChild<QFrame*>("Frame1");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(splash.findChild<QLabel*>("Image1")->parentWidget(), frame);
}

TEST_F(SmallWindowsTest, SplashClosesOnAKey) {
    frmSplash& splash = gui::ShowWindow<frmSplash>();
    QTest::keyClick(&splash, Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(gui::ExistingWindow<frmSplash>(), nullptr);
}

TEST_F(SmallWindowsTest, SplashClosesOnAClickOnItsFrame) {
    frmSplash& splash = gui::ShowWindow<frmSplash>();
    QTest::mouseClick(splash.Frame1, Qt::LeftButton, {}, QPoint(200, 40));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(gui::ExistingWindow<frmSplash>(), nullptr);
}

TEST_F(SmallWindowsTest, WhatCanISayShowsTheListAndRefreshesOneWindow) {
    voice::gWhatCanISayText = "activate\r\nroll dice\r\n";
    Form4& toolbar = gui::Window<Form4>();
    toolbar.mneWhatCanISay_Click();
    Form7* list = gui::ExistingWindow<Form7>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->windowTitle(), "What Can I Say?");
    EXPECT_EQ(list->Text1->toPlainText(), "activate\nroll dice\n");
    EXPECT_TRUE(list->Text1->isReadOnly());
    EXPECT_EQ(list->Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(list->Text1->geometry(), QRect(8, 8, 321, 225));
    EXPECT_EQ(list->size(), QSize(339, 277));

    // The player may scroll or select; a second opening puts the same list back in the same window.
    list->Text1->setPlainText("changed");
    toolbar.mneWhatCanISay_Click();
    EXPECT_EQ(gui::ExistingWindow<Form7>(), list);
    EXPECT_EQ(list->Text1->toPlainText(), "activate\nroll dice\n");

    list->findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(list->isVisible());
}

TEST_F(SmallWindowsTest, WhatCanISayWithoutItsFile) {
    voice::gWhatCanISayText = "File not found";
    gui::Window<Form4>().mneWhatCanISay_Click();
    EXPECT_EQ(gui::Window<Form7>().Text1->toPlainText(), "File not found");
}

} // namespace
} // namespace dorva
