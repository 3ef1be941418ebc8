#include "shell/MiniControls.h"
#include "activation/ActivationScreen.h"
#include "data/Announce.h"
#include "data/ScenarioTables.h"
#include "data/TableStore.h"
#include "setup/Params.h"
#include "shell/ProgramState.h"
#include "shell/Toolbar.h"
#include "shell/VaslWindow.h"
#include "shell/Windows.h"
#include "support/ScriptedDice.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace dorva {
namespace {

class MiniControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        gui::InstallActivationWindowChannel();
        // Every A1 result reveals one leader; the leader table names each entry by its number.
        data::gTableA1.assign(16, "L");
        data::gTableA1[0].clear();
        data::gLeaderTable.clear();
        for (int i = 0; i <= 14; ++i) {
            data::gLeaderTable.push_back("leader " + std::to_string(i));
        }
        setup::gSeeRolls = 0;
    }
    void TearDown() override {
        gui::DestroyAllWindows();
        data::SetActivationWindowChannel(nullptr);
        ResetProgramState();
    }
};

TEST_F(MiniControlsTest, DesignedWindow) {
    Form4& toolbar = gui::Window<Form4>();
    toolbar.mneMiniControls_Click();
    Form12* controls = gui::ExistingWindow<Form12>();
    ASSERT_NE(controls, nullptr);
    EXPECT_TRUE(controls->isVisible());
    EXPECT_EQ(controls->windowTitle(), "Activation Controls");
    EXPECT_EQ(controls->size(), QSize(156, 28));
    const char* names[] = {"Command1", "Command2", "Command3"};
    const char* captions[] = {"DR", "dr", "Man. Act"};
    int left = -1;
    for (int i = 0; i < 3; ++i) {
        auto* button = controls->findChild<QPushButton*>(names[i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), captions[i]);
        EXPECT_GT(button->x(), left) << "the buttons stand in a row";
        left = button->x();
    }
    // The random numbers screen they roll on is not part of the program yet.
    EXPECT_FALSE(controls->Command1->isEnabled());
    EXPECT_FALSE(controls->Command2->isEnabled());
    EXPECT_TRUE(controls->Command3->isEnabled());
    toolbar.mneMiniControls_Click();
    EXPECT_EQ(gui::ExistingWindow<Form12>(), controls);
}

TEST_F(MiniControlsTest, ManualActivationWithTheActivationScreenClosed) {
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

} // namespace
} // namespace dorva
