#include "shell/VaslWindow.h"
#include "data/Announce.h"
#include "shell/ProgramState.h"
#include "shell/Toolbar.h"
#include "shell/Windows.h"

#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace dorva {
namespace {

const QString kHint = QStringLiteral("Resize and postion on screen to fit VASL layout");

class VaslWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        gui::InstallActivationWindowChannel();
    }
    void TearDown() override {
        gui::DestroyAllWindows();
        data::SetActivationWindowChannel(nullptr);
    }
};

TEST_F(VaslWindowTest, DesignedWindow) {
    Form8& window = gui::ShowWindow<Form8>();
    EXPECT_EQ(window.windowTitle(), "VASL Activation Window");
    EXPECT_EQ(window.size(), QSize(612, 26));
    EXPECT_EQ(window.Text1->objectName(), "Text1");
    EXPECT_EQ(window.Text1->toPlainText(), kHint);
    EXPECT_EQ(window.Text1->pos(), QPoint(0, 0));
    // The outer width less 100 twips (6 2/3 pixels); the height stays 375 twips.
    const int outerWidth = window.frameGeometry().width();
    EXPECT_EQ(window.Text1->size(), QSize((outerWidth * 15 - 100) / 15, 25));
}

// Resizes the window to an outer size in pixels, whatever frame the platform draws around it.
void ResizeOuter(QWidget& window, int width, int height) {
    const QSize frame = window.frameGeometry().size() - window.size();
    window.resize(width - frame.width(), height - frame.height());
    ASSERT_EQ(window.frameGeometry().size(), QSize(width, height));
}

TEST_F(VaslWindowTest, ResizeFollowsTheRule) {
    Form8& window = gui::ShowWindow<Form8>();
    ResizeOuter(window, 400, 53); // 6000 x 795 twips: 5900 wide, the height stays
    EXPECT_EQ(window.Text1->size(), QSize(393, 25));
    ResizeOuter(window, 400, 54); // 810 twips high: 60 twips, 4 pixels
    EXPECT_EQ(window.Text1->size(), QSize(393, 4));
    ResizeOuter(window, 400, 200); // 3000 twips: 2250 twips
    EXPECT_EQ(window.Text1->height(), 150);
    ResizeOuter(window, 300, 40); // back at or below 800 twips: the grown height stays
    EXPECT_EQ(window.Text1->size(), QSize(293, 150));
    EXPECT_EQ(window.Text1->pos(), QPoint(0, 0));
}

TEST_F(VaslWindowTest, ResultsReachTheWindowOnlyWhileItIsOpen) {
    data::ShowInActivationWindow("DR = 7");
    Form8* hidden = gui::ExistingWindow<Form8>();
    ASSERT_NE(hidden, nullptr) << "asking for the window's visibility creates it hidden";
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_EQ(hidden->Text1->toPlainText(), kHint);

    Form4& toolbar = gui::Window<Form4>();
    toolbar.mneVASLActivationWindow_Click();
    Form8* shown = gui::ExistingWindow<Form8>();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->Text1->toPlainText(), kHint);
    data::ShowInActivationWindow("dr = 4");
    EXPECT_EQ(shown->Text1->toPlainText(), "dr = 4");
    data::ShowInActivationWindow("DR = 11");
    EXPECT_EQ(shown->Text1->toPlainText(), "DR = 11");
}

TEST_F(VaslWindowTest, ActivationTextsArriveOnOneLine) {
    Form8& window = gui::ShowWindow<Form8>();
    data::ShowActivationText("a\r\nb");
    EXPECT_EQ(window.Text1->toPlainText(), "a  \nb");
    data::ShowActivationText("4-6-7\r8-3-8\r");
    EXPECT_EQ(window.Text1->toPlainText(), "4-6-7  8-3-8  ");
}

TEST_F(VaslWindowTest, ClosingDiscardsTheWindow) {
    Form8& window = gui::ShowWindow<Form8>();
    data::ShowInActivationWindow("Suspect Counter Removed");
    window.resize(300, 120);
    window.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(gui::ExistingWindow<Form8>(), nullptr);
    // Closed: the next result is lost, and opening again starts from the designed text and size.
    data::ShowInActivationWindow("lost");
    Form8& again = gui::ShowWindow<Form8>();
    EXPECT_EQ(again.Text1->toPlainText(), kHint);
    EXPECT_EQ(again.size(), QSize(612, 26));
}

TEST_F(VaslWindowTest, OpeningTwiceGivesOneWindow) {
    Form4& toolbar = gui::Window<Form4>();
    toolbar.mneVASLActivationWindow_Click();
    Form8* first = gui::ExistingWindow<Form8>();
    data::ShowInActivationWindow("kept");
    toolbar.mneVASLActivationWindow_Click();
    EXPECT_EQ(gui::ExistingWindow<Form8>(), first);
    EXPECT_EQ(first->Text1->toPlainText(), "kept");
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        count += qobject_cast<Form8*>(w) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(count, 1);
}

} // namespace
} // namespace dorva
