#include "data/gui/DieRollStatsWindow.h"
#include "data/gui/DiceChart.h"
#include "support/WindowTest.h"

#include <QLabel>
#include <gtest/gtest.h>

#include <fstream>

using namespace dorva;

namespace {

class DieRollStatsWindow : public test::WindowTest {
protected:
    QLabel* Label(const QString& name) {
        auto* label = window.findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name.toStdString();
        return label;
    }
    QRect Heading(int i) { return Label(QString("Label2_%1").arg(i))->geometry(); }
    Form5 window;
};

// Its title and modality are the end-to-end run's and the toolbar test's business.
TEST_F(DieRollStatsWindow, HeadingsInTheBellCurveLayout) {
    for (int i = 0; i <= 16; ++i) {
        EXPECT_EQ(Label(QString("Label2_%1").arg(i))->text(), QString::number(i < 6 ? i + 1 : i - 4));
        const QRect count = Label(QString("Label3_%1").arg(i))->geometry();
        EXPECT_TRUE(count.left() == Heading(i).left() && count.top() > Heading(i).top()) << i;
    }
    // One die 1 to 6 and DR 2 to 6 left to right, DR 7 at the right end between the rows, DR 8 to 12
    // right to left below.
    for (int i : {1, 2, 3, 4, 5, 7, 8, 9, 10}) {
        EXPECT_EQ(Heading(i).top(), Heading(i - 1).top()) << i;
        EXPECT_GT(Heading(i).left(), Heading(i - 1).left()) << i;
    }
    EXPECT_GT(Heading(6).top(), Heading(0).top());
    EXPECT_TRUE(Heading(11).left() > Heading(10).left() && Heading(11).top() > Heading(10).top());
    EXPECT_LT(Heading(11).top(), Heading(12).top());
    for (int i = 13; i <= 16; ++i) {
        EXPECT_EQ(Heading(i).top(), Heading(12).top()) << i;
        EXPECT_LT(Heading(i).left(), Heading(i - 1).left()) << i;
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        EXPECT_TRUE(window.rect().contains(label->geometry())) << label->objectName().toStdString();
    }
}

// How rolls are counted is ChannelsTest's.
TEST_F(DieRollStatsWindow, ShowsTheRecordedRollsAsTheyWereWhenItOpened) {
    // [0] is never counted; dr 1 and 6, DR 7 and 12
    data::gDRStats = {99, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 2};
    window.show();
    // clang-format off
    test::ExpectCaptions(window, {{"Label3_0", " 1"}, {"Label3_5", " 1"}, {"Label4", "2"}, {"Label6", "3.50"},
                                  {"Label3_11", " 10"}, {"Label3_15", " 0"}, {"Label3_16", " 2"}, {"Label8", "12"}, {"Label10", "7.83"}});
    // clang-format on
    data::gDRStats[2] = 1;
    test::ExpectCaptions(window, {{"Label3_1", " 0"}});
    window.hide();
    window.show();
    test::ExpectCaptions(window, {{"Label3_1", " 1"}, {"Label6", "3.00"}});
}

// The verdicts' and the bars' numbers are GameRecordTest's; the export writes over the file chosen.
TEST_F(DieRollStatsWindow, ChartAndVerdictsOfTheCountsAndTheirExport) {
    data::gDRStats = {0, 5, 5, 5, 5, 5, 5, 0, 0, 0, 0, 0, 4};
    window.show();
    test::ExpectCaptions(window, {{"DrVerdictLB", "dr: consistent with fair dice"},
                                  {"DRVerdictLB", "DR: too few rolls to judge"}});
    ASSERT_EQ(window.Chart->DrBars().size() + window.Chart->DRBars().size(), 17u);
    EXPECT_EQ(window.Chart->DRBars()[5].count, 4); // DR 7
    EXPECT_TRUE(window.rect().contains(window.Chart->geometry()) && !window.Chart->grab().isNull());
    Press(window, "ExportCsvBtn"); // cancelled
    dialogs.answer = folder.Root().string() + "/stats.csv";
    std::ofstream(*dialogs.answer) << "an older export";
    Press(window, "ExportCsvBtn");
    EXPECT_EQ(dialogs.asked.at(1).preset + " " + dialogs.asked[1].filter,
              "Dice_Statistics.csv CSV Files (*.csv) | *.csv");
    const std::string csv = test::ReadFile(*dialogs.answer);
    EXPECT_EQ(csv.substr(0, 42), "roll,result,count,fair dice\r\ndr,1,5,5.00\r\n");
    EXPECT_NE(csv.find("\r\ndr,6,5,5.00\r\nDR,2,0,0.11\r\n"), std::string::npos) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 18);
}

} // namespace
