#include "shell/TableViewer.h"
#include "data/Dice.h"
#include "shell/ProgramState.h"
#include "shell/Windows.h"
#include "support/ScriptedDice.h"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace dorva {
namespace {

class TableViewerTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { gui::DestroyAllWindows(); }
};

TEST_F(TableViewerTest, DesignedControls) {
    Form3& viewer = gui::Window<Form3>();
    EXPECT_EQ(viewer.findChild<QPushButton*>("Command1")->text(), "OK");
    EXPECT_EQ(viewer.findChild<QPushButton*>("Command2")->text(), "Roll DR");
    EXPECT_EQ(viewer.findChild<QLabel*>("Label2")->text(), "(DR/dr results here.)");
    QLabel* listing = viewer.findChild<QLabel*>("Label1");
    EXPECT_EQ(listing->size(), QSize(329, 233));
    EXPECT_TRUE(QFontInfo(listing->font()).fixedPitch());
}

TEST_F(TableViewerTest, RollDrReplacesTheTextAndCountsBothRolls) {
    test::ScriptedDice dice{3, 4, 5, 6, 6, 1};
    Form3& viewer = gui::Window<Form3>();
    viewer.findChild<QPushButton*>("Command2")->click();
    EXPECT_EQ(viewer.Label2->text(), "DR = 7 dr = 5");
    EXPECT_EQ(data::gDRStats[7 + 5], 1); // DR 7
    EXPECT_EQ(data::gDRStats[5], 1);     // dr 5

    viewer.Command2_Click();
    EXPECT_EQ(viewer.Label2->text(), "DR = 12 dr = 1");
    EXPECT_EQ(data::gDRStats[12 + 5], 1);
    EXPECT_EQ(data::gDRStats[1], 1);
    int recorded = 0;
    for (int count : data::gDRStats) {
        recorded += count;
    }
    EXPECT_EQ(recorded, 4);
}

TEST_F(TableViewerTest, OkClosesTheWindow) {
    Form3& viewer = gui::ShowWindow<Form3>();
    ASSERT_TRUE(viewer.isVisible());
    viewer.Command1->click();
    EXPECT_FALSE(viewer.isVisible());
}

} // namespace
} // namespace dorva
