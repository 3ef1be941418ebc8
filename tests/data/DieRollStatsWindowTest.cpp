#include "data/DieRollStatsWindow.h"
#include "data/Dice.h"
#include "support/ScriptedDice.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace dorva;

namespace {

class DieRollStatsWindow : public ::testing::Test {
protected:
    void SetUp() override { data::ResetDice(); }
    void TearDown() override { data::ResetDice(); }
    QString Text(const QString& name) {
        auto* label = window.findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name.toStdString();
        return label ? label->text() : QString();
    }
    QRect Place(const QString& name) { return window.findChild<QLabel*>(name)->geometry(); }
    Form5 window;
};

TEST_F(DieRollStatsWindow, TitleAndHeadings) {
    EXPECT_EQ(window.windowTitle(), "Die Roll Stats");
    EXPECT_TRUE(window.isModal());
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Text(QString("Label2_%1").arg(i)), QString::number(i + 1));
    }
    for (int i = 6; i <= 16; ++i) {
        EXPECT_EQ(Text(QString("Label2_%1").arg(i)), QString::number(i - 4));
    }
    EXPECT_EQ(Text("Label5"), "Total");
    EXPECT_EQ(Text("Label7"), "Average");
    EXPECT_EQ(Text("Label9"), "Total");
    EXPECT_EQ(Text("Label11"), "Average");
}

TEST_F(DieRollStatsWindow, BeforeAnyRollEverythingIsZero) {
    window.show();
    for (int i = 0; i <= 16; ++i) {
        EXPECT_EQ(Text(QString("Label3_%1").arg(i)), " 0") << i;
    }
    for (const char* name : {"Label4", "Label6", "Label8", "Label10"}) {
        EXPECT_EQ(Text(name), "0") << name;
    }
    window.hide();
}

TEST_F(DieRollStatsWindow, ShowsTheRecordedRollsAsTheyWereWhenItOpened) {
    test::ScriptedDice dice;
    dice.Add({1, 6, 3, 4, 6, 6});
    data::RollDice(1, 6, data::kRecord); // dr 1
    data::RollDice(1, 6, data::kRecord); // dr 6
    data::RollDice(2, 6, data::kRecord); // DR 7
    data::RollDice(2, 6, data::kNoRecord);
    window.show();
    EXPECT_EQ(Text("Label3_0"), " 1");
    EXPECT_EQ(Text("Label3_5"), " 1");
    EXPECT_EQ(Text("Label4"), "2");
    EXPECT_EQ(Text("Label6"), "3.50");
    EXPECT_EQ(Text("Label3_11"), " 1"); // under the heading 7
    EXPECT_EQ(Text("Label8"), "1");
    EXPECT_EQ(Text("Label10"), "7.00");

    // Rolls while it stays open do not change it; the next opening shows them.
    dice.Add({2, 2});
    data::RollDice(1, 6, data::kRecord);
    EXPECT_EQ(Text("Label3_1"), " 0");
    window.hide();
    window.show();
    EXPECT_EQ(Text("Label3_1"), " 1");
    EXPECT_EQ(Text("Label4"), "3");
    EXPECT_EQ(Text("Label6"), "3.00");
    window.hide();
}

TEST_F(DieRollStatsWindow, CountsStandUnderTheirHeadingsInTheBellCurveLayout) {
    for (int i = 0; i <= 16; ++i) {
        const QRect heading = Place(QString("Label2_%1").arg(i));
        const QRect count = Place(QString("Label3_%1").arg(i));
        EXPECT_EQ(count.left(), heading.left()) << i;
        EXPECT_GT(count.top(), heading.top()) << i;
    }
    // Single die 1 to 6 left to right in one row.
    for (int i = 1; i < 6; ++i) {
        EXPECT_EQ(Place(QString("Label2_%1").arg(i)).top(), Place("Label2_0").top());
        EXPECT_GT(Place(QString("Label2_%1").arg(i)).left(), Place(QString("Label2_%1").arg(i - 1)).left());
    }
    const auto dr = [&](int total) {
        return Place(QString("Label2_%1").arg(total + 4));
    };
    // 2 to 6 left to right in a first row below the single die row.
    EXPECT_GT(dr(2).top(), Place("Label3_0").top());
    for (int t = 3; t <= 6; ++t) {
        EXPECT_EQ(dr(t).top(), dr(2).top());
        EXPECT_GT(dr(t).left(), dr(t - 1).left());
    }
    // 7 at the right end, between the rows.
    EXPECT_GT(dr(7).left(), dr(6).left());
    EXPECT_GT(dr(7).top(), dr(6).top());
    EXPECT_LT(dr(7).top(), dr(8).top());
    // 8 to 12 right to left in a second row.
    for (int t = 9; t <= 12; ++t) {
        EXPECT_EQ(dr(t).top(), dr(8).top());
        EXPECT_LT(dr(t).left(), dr(t - 1).left());
    }
    EXPECT_GT(dr(8).top(), Place(QString("Label3_%1").arg(6)).top());
    // Totals right of each block, averages right of the totals.
    EXPECT_GT(Place("Label5").left(), dr(7).right());
    EXPECT_GT(Place("Label7").left(), Place("Label5").left());
    EXPECT_GT(Place("Label9").left(), dr(7).right());
    EXPECT_GT(Place("Label11").left(), Place("Label9").left());
    EXPECT_GT(Place("Label4").top(), Place("Label5").top());
    EXPECT_GT(Place("Label8").top(), Place("Label9").top());
    EXPECT_GT(Place("Label10").top(), Place("Label11").top());
    EXPECT_GT(Place("Label6").top(), Place("Label7").top());
    // Everything inside the window.
    for (QLabel* label : window.findChildren<QLabel*>()) {
        EXPECT_TRUE(window.rect().contains(label->geometry())) << label->objectName().toStdString();
    }
}

} // namespace
