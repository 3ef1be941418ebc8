#include "actions/FireCommands.h"
#include "actions/gui/ActionsScreen.h"
#include "actions/gui/CloseCombatScreen.h"
#include "activation/Listings.h"
#include "activation/SpecialForces.h"
#include "activation/UnitDetermination.h"
#include "activation/gui/ActivationScreen.h"
#include "app/gui/MiniControls.h"
#include "app/gui/VaslWindow.h"
#include "data/NationalityFile.h"
#include "random/gui/LocationsScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "support/WindowTest.h"
#include "ui/Controls.h"
#include "ui/TableViewer.h"
#include "ui/Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <map>

namespace dorva {
namespace {

std::string Longest(const std::vector<std::string>& texts, const std::string& suffix = "") {
    const auto longest = std::max_element(texts.begin(), texts.end(),
                                          [](const auto& a, const auto& b) { return a.size() < b.size(); });
    return (longest == texts.end() ? "" : *longest) + suffix;
}

std::vector<std::string> Entries(const data::ListTable& table) {
    return data::UpperBound(table) >= 1 ? std::vector<std::string>(table.begin() + 1, table.end())
                                        : std::vector<std::string>{};
}

// What the program shows of each entry for every die: of "a[n] b[6] " the alternative the die chooses.
std::vector<std::string> Resolved(const data::ListTable& table, test::ScriptedDice& dice) {
    std::vector<std::string> texts;
    for (const std::string& entry : Entries(table)) {
        for (int die = 1; die <= 6; ++die) {
            dice.Script({die});
            texts.push_back(activation::PickOne(entry));
        }
    }
    return texts;
}

// The longest line each unit code can give with the tables read now, with its rolls shown.
std::map<char, std::string> LongestLines(test::ScriptedDice& dice) {
    std::vector<std::string> squads, halves;
    for (const data::SquadRow& row : data::gSquadTable) {
        squads.push_back(row[1]);
        halves.push_back(row[2]);
    }
    const std::string spg = Longest(Entries(data::gSPGTable), " (x6a DR=12)");
    return {{'S', Longest(squads, " (x2 DR=12/12)")},
            {'H', Longest(halves, " (x2 DR=12/12)")},
            {'L', Longest(Entries(data::gLeaderTable), " (x3 DR=12)")},
            {'W', Longest(Entries(data::gSWTable), " (x4 DR=12)")},
            {'A', Longest({Longest(Resolved(data::gAFVTable, dice)), spg}, " (x6 DR=12)")},
            {'P', Longest({spg, Longest(Entries(data::gAFVTable), " (x6 DR=12)")})},
            {'G', Longest(Entries(data::gGunsInsideTable), " (x5 DR=12) Gun Inside\r\n") +
                      Longest(Entries(data::gGunsOutsideTable), " (x5 DR=12) Gun Outside")},
            {'F', Longest({Longest(Entries(data::gTableA5), " (A5 dr=6/-3)"), "Smoke if MPh"})},
            {'-', "(no unit activated)"}};
}

::testing::AssertionResult BreaksOutsideParentheses(const QLabel& label) {
    for (const QString& paragraph : label.text().split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, label.font());
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(label.contentsRect().width());
            const QString shown = paragraph.left(line.textStart() + line.textLength());
            if (shown.count(QLatin1Char('(')) != shown.count(QLatin1Char(')'))) {
                return ::testing::AssertionFailure()
                       << "a line ends inside parentheses: " << shown.toStdString();
            }
        }
        layout.endLayout();
    }
    return ::testing::AssertionSuccess();
}

class ShippedTextsFit : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(test::ReadShippedTables().empty());
    }
};

TEST_F(ShippedTextsFit, UnitTextsNotesAndListingsShowWhole) {
    Form2& screen = ui::Window<Form2>();
    Form3& viewer = ui::Window<Form3>();
    double smallest = 99;
    for (const std::string& name : test::ShippedNationalities()) { // how many is ShippedDataTest's
        // The tables change only at a variant's date; every month catches them all.
        for (int date = 193801; date <= 194612; date += (date % 100 == 12 ? 89 : 1)) {
            SCOPED_TRACE(name + " " + std::to_string(date));
            data::ReadScenarioTables(name, date);
            const std::map<char, std::string> longest = LongestLines(dice);
            for (int k = 1; k <= data::UpperBound(data::gTableA1); ++k) {
                std::string text;
                for (const char code : data::gTableA1[static_cast<std::size_t>(k)]) {
                    if (code == 'R') {
                        text.back() = ' ';
                        text += "as Rider (D6.2)\r";
                    } else {
                        text += (longest.count(code) ? longest.at(code) : std::string(1, code)) + "\r";
                    }
                }
                text += longest.at('F') + "\r\r"; // the fortification of an even A1
                screen.ShowUnits(text);
                ASSERT_TRUE(ui::TextFits(*screen.Label1)) << text;
                ASSERT_TRUE(BreaksOutsideParentheses(*screen.Label1));
                smallest = std::min(smallest, screen.Label1->font().pointSizeF());
            }
            screen.Form_Activate(); // the class list as the nationality makes it
            EXPECT_LE(screen.SpecialForcesDL->sizeHint().width(), screen.SpecialForcesDL->width());
            screen.ShowScenarioNotes();
            EXPECT_TRUE(ui::TextFits(*screen.Label13));
            activation::DetermineSpecialForces();
            EXPECT_TRUE(ui::TextFits(*screen.Label14)) << screen.Label14->text().toStdString();
            screen.ShowInfantry(QStringLiteral("Squad/Half Squad Table"));
            EXPECT_TRUE(ui::TextFits(*viewer.Label1) && viewer.rect().contains(viewer.Label1->geometry()));
            static const QRegularExpression numberThenBlank(QStringLiteral("^ *\\d+ "));
            for (const QString& row : viewer.Label1->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                EXPECT_TRUE(numberThenBlank.match(row).hasMatch()) << row.toStdString();
            }
        }
    }
    EXPECT_GE(smallest, 7.0) << "the unit text is shrunk below a readable size";
}

::testing::AssertionResult ShowsWhole(QLabel* label, const std::string& text) {
    label->setText(ui::DisplayText(text));
    return test::ShowsWhole(*label);
}

// The widest results: the largest numbers, a long file name and every text the shipped tables give.
TEST_F(ShippedTextsFit, TheOtherScreensShowTheirCaptionsAndResultsWhole) {
    Form9& actions = ui::Window<Form9>();
    Form10& melee = ui::Window<Form10>();
    Form6& random = ui::ShowWindow<Form6>();
    const QStringList names = {"Label11", "ColorDieLB", "WhiteDieLB",  "ResultLB", "Label8",
                               "Label10", "Label9",     "FromValueLB", "ToValueLB"},
                      widest = {"Single dr Result", "6", "6", "1000", "Table  #", "6", "4", "999", "1000"};
    for (qsizetype i = 0; i < names.size(); ++i) {
        random.findChild<QWidget*>(names[i])->setProperty("text", widest[i]);
    }
    Form11& locations = ui::ShowWindow<Form11>();
    locations.Text1->setText("1000");
    locations.SFileNameLB->setText("/home/a-player-with-a-long-name/Documents/Village_Suspect_Locations.txt");
    for (const QWidget* window : std::initializer_list<const QWidget*>{&actions, &melee, &random, &locations,
                                                                       &ui::Window<Form12>()}) {
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            EXPECT_TRUE(control->objectName().startsWith("qt_") || test::ShowsWhole(*control));
        }
    }
    for (const bool village : {true, false}) {
        locations.IsVillageCB->setChecked(village);
        for (int die = 1; die <= 6; ++die) {
            dice.Script({die});
            locations.SLocationBtn_Click();
            EXPECT_TRUE(test::ShowsWhole(*locations.Label1));
        }
    }
    // Attack texts are the longest: a line more than the list entry.
    for (const data::ListTable* list : {&data::gTable4A, &data::gTable4B, &data::gTable4C, &data::gTable3A,
                                        &data::gTable3B, &data::gTable3C, &data::gTable3D}) {
        for (int i = 1; i <= data::UpperBound(*list); ++i) {
            const std::string text = "Unit attacks\r\n" + data::Entry(*list, i);
            EXPECT_TRUE(ShowsWhole(actions.Label10, text) && ShowsWhole(actions.Label11, text));
        }
    }
    for (const char* heading :
         {"Ordance vs. Infantry Attack Command", "Hold Movement Command (Even hexes)"}) {
        EXPECT_TRUE(ShowsWhole(actions.HoldLB, heading) && ShowsWhole(actions.AdvanceLB, heading));
    }
    EXPECT_TRUE(ShowsWhole(actions.Label3, actions::PanicText(3, 3)));
    EXPECT_TRUE(ShowsWhole(actions.Label2, "Infantry action DR = 12 (6, 6)"));
    for (int i = 1; i <= data::UpperBound(data::gTable3E); ++i) {
        EXPECT_TRUE(ShowsWhole(melee.Label1, data::Entry(data::gTable3E, i)));
    }
    EXPECT_TRUE(ShowsWhole(melee.Label1, data::Entry(data::gTableCC, 1)));
    EXPECT_TRUE(ShowsWhole(melee.AdvanceLB, "CC Pairings dr = 6"));
}

TEST_F(ShippedTextsFit, TheVaslWindowShowsOneWholeLine) {
    const QFont desktop = QApplication::font();
    for (const double points : {desktop.pointSizeF(), 13.0}) {
        QFont font = desktop;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        QPlainTextEdit& box = *ui::ShowWindow<Form8>().Text1;
        const QRect line = box.cursorRect(QTextCursor(box.document()));
        EXPECT_TRUE(line.top() >= 0 && line.bottom() < box.viewport()->height())
            << points << " points: " << line.top() << "-" << line.bottom() << " of "
            << box.viewport()->height();
        EXPECT_EQ(box.verticalScrollBar()->maximum(), 0) << points << " points";
        ui::DestroyAllWindows();
    }
    QApplication::setFont(desktop);
}

} // namespace
} // namespace dorva
