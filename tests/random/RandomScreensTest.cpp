// Texts that fit: ShippedTextsFitTest; the windows' titles: tests/e2e/shortcuts.sh.
#include "app/gui/MiniControls.h"
#include "app/gui/VaslWindow.h"
#include "random/Tables6.h"
#include "random/gui/LocationsScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "support/WindowTest.h"
#include "ui/NewResult.h"
#include "ui/Text.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>
#include <QXmlStreamReader>

namespace dorva {
namespace {

class RandomScreens : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        platform::SetActivationWindow(&vasl);
        vasl.visible = true;
        data::gTableHR = test::HexRows();
        test::LoadLocations();
    }
    // The dice area, then the table area: heading, coloured, white, result | name, dr, result.
    static QString Results(const Form6& form) {
        QStringList shown;
        for (const QLabel* label : {form.Label11, form.ColorDieLB, form.WhiteDieLB, form.ResultLB,
                                    form.Label8, form.Label10, form.Label9}) {
            shown << label->text();
        }
        return shown.join('|');
    }
};

// At a dr of 3 table 6b gives 3: the value chosen where the rule's two sources disagree.
TEST_F(RandomScreens, RandomNumbersControls) {
    Form6& form = ui::Window<Form6>();
    // clang-format off
    test::ExpectCaptions(form, {
        {"Label11", "Single dr Result"}, {"Label2", "Colored dr ="}, {"ColorDieLB", ""}, {"Label3", "White dr ="},
        {"WhiteDieLB", ""}, {"Label4", "Result ="}, {"ResultLB", ""}, {"SingleDR", "&Single dr*"},
        {"TwoDR", "&Two Dice*"}, {"AtoGG", "&A-GG*"}, {"Die1to10", "&1-10*"}, {"Frame1", "Ranged Numbers"},
        {"DieXThroughY", "&X through Y*"}, {"Label1", "From ="}, {"FromValueLB", "1"}, {"Label5", "To ="},
        {"ToValueLB", "10"}, {"MakeLetterCB", "Display As Letters (A-ZZ only)"}, {"Label8", "Table  #"},
        {"Label7", "dr ="}, {"Label10", ""}, {"Label6", "Result ="}, {"Label9", ""}});
    // clang-format on
    for (char letter = 'a'; letter <= 'h'; ++letter) {
        auto* button = form.findChild<QPushButton*>(QStringLiteral("Table6%1Btn").arg(letter));
        ASSERT_NE(button, nullptr) << letter;
        const QString table = QStringLiteral("Table 6") + QLatin1Char(letter);
        EXPECT_EQ(button->accessibleName(), table);
        EXPECT_TRUE(button->size() == QSize(60, 60) && !button->icon().isNull()) << letter;
        dice.Script({3});
        button->click();
        EXPECT_EQ(form.Label8->text() + form.Label9->text(), table + QLatin1Char("33222211"[letter - 'a']));
    }
}

// On the hidden screen, as the voice commands call them. Two dice count as two drs, a die of other than six
// sides not at all; each die is the highest its roll allows.
TEST_F(RandomScreens, EachOperationShowsAnnouncesAndCountsItsResults) {
    Form6& form = ui::Window<Form6>();
    SpeakOn();
    using Row = std::tuple<void (Form6::*)(), std::vector<int>, std::vector<int>, const char*, const char*,
                           const char*, int>;
    // clang-format off
    for (const auto& [operation, rolled, countedDrs, results, said, spoken, flags] : std::vector<Row>{
             {&Form6::SingleDR_Click, {4}, {4}, "dr Result|4|||||", "dr = 4", "You rolled a 4", 1},
             {&Form6::TwoDR_Click, {5, 2}, {5, 2}, "DR Result|5|2|7|||", "DR = 5, 2. Total = 7",
              "You rolled a red 5 and a black 2 for a total of  7", 1},
             {&Form6::AtoGG_Click, {33}, {}, "A-GG Result|||GG|||", "On A through GG you rolled GG",
              "On <spell>A</spell> through G G you rolled GG", 9},
             {&Form6::Die1to10_Click, {10}, {}, "1-10 Result|||10|||", "On 1 through 10 you rolled 10", nullptr, 1},
             {&Form6::DieXThroughY_Click, {10}, {}, "X-Y Result|||10|||", "On X through Y you rolled 10", nullptr, 1},
             {&Form6::Table6hBtn_Click, {2}, {2}, "||||Table 6h|2|0", "On Table 6H you got a result of 0", nullptr, 1}}) {
        // clang-format on
        for (QLabel* label : {form.Label11, form.ColorDieLB, form.WhiteDieLB, form.ResultLB, form.Label8,
                              form.Label10, form.Label9}) {
            label->setText("old");
        }
        data::gDRStats.fill(0);
        speech.spoken.clear();
        dice.Script(rolled);
        (form.*operation)();
        EXPECT_EQ(Results(form), results);
        EXPECT_EQ(vasl.text, said);
        EXPECT_EQ(speech.spoken, (std::vector<std::pair<std::string, int>>{{spoken ? spoken : said, flags}}));
        EXPECT_EQ(data::gDRStats, test::DrCounts(countedDrs)) << said;
    }
    EXPECT_FALSE(form.isVisible());
}

std::vector<const QObject*> told; // the controls whose change screen readers heard of

// The second of two equal results is marked new, and told to screen readers, although no text changed.
TEST_F(RandomScreens, AnEqualResultIsMarkedNewAgain) {
    Form6& form = ui::Window<Form6>();
    QPlainTextEdit& vaslBox = *ui::Window<Form8>().Text1;
    const auto roll = [&form] {
        form.SingleDR_Click();
        app::VaslActivationWindow().SetText("dr = 5");
    };
    dice.Script({5, 5});
    roll();
    QTest::qWait(ui::kNewResultMs + 50);
    EXPECT_FALSE(ui::IsMarkedNew(*form.ColorDieLB) || ui::IsMarkedNew(vaslBox));
    told.clear();
    ui::SetResultListener([](QAccessibleEvent& event) { told.push_back(event.object()); });
    roll();
    ui::SetResultListener(nullptr);
    for (const QWidget* result : {static_cast<QWidget*>(form.ColorDieLB), static_cast<QWidget*>(&vaslBox)}) {
        EXPECT_TRUE(ui::IsMarkedNew(*result)) << result->objectName().toStdString();
        EXPECT_EQ(std::count(told.begin(), told.end(), result), 1) << result->objectName().toStdString();
    }
}

// A letter range checks the letters box, refused or not, and it stays checked for the next number range.
TEST_F(RandomScreens, ARefusedRangeKeepsTheEarlierResult) {
    Form6& form = ui::Window<Form6>();
    dice.Script({2});
    form.DieXThroughY->click();
    form.FromValueLB->setText("ZZ");
    form.ToValueLB->setText("zz");
    form.DieXThroughY->click();
    EXPECT_EQ(Results(form), "X-Y Result|||2|||");
    EXPECT_TRUE(form.MakeLetterCB->isChecked());
    form.FromValueLB->setText("1");
    form.ToValueLB->setText("3");
    dice.Script({3});
    form.DieXThroughY->click();
    EXPECT_EQ(form.ResultLB->text(), "C");
}

// The single roll works on the hidden screen; cancelling the dialog leaves the file name as it was.
TEST_F(RandomScreens, LocationsScreen) {
    Form11& form = ui::Window<Form11>();
    // clang-format off
    test::ExpectCaptions(form, {{"SLocationBtn", "S? &Location*"}, {"IsVillageCB", "Board is &Village (\"v\" prefix)"},
                                {"Label1", ""}, {"SaveToFileBtn", "Save to &File"}, {"Text1", "100"},
                                {"Label2", "Number of locations"}, {"SFileNameLB", "(No file saved yet.)"}});
    // clang-format on
    form.IsVillageCB->setChecked(true);
    dice.Script({5});
    form.SLocationBtn_Click();
    EXPECT_EQ(form.Label1->text(), "Modified dr = at 4");

    form.Text1->setText("1");
    form.SaveToFileBtn->click(); // cancelled
    EXPECT_EQ(form.SFileNameLB->text(), "(No file saved yet.)");
    dialogs.answer = folder.Root().string() + "/Fran\303\247ais.txt";
    dice.Script({2});
    form.SaveToFileBtn->click();
    EXPECT_EQ(form.SFileNameLB->text(), QString::fromStdString(*dialogs.answer));
}

TEST_F(RandomScreens, MiniControlsRollOnTheHiddenScreen) {
    Form12& mini = ui::ShowWindow<Form12>();
    dice.Script({5, 2, 4});
    mini.Command1->click();
    mini.Command2->click();
    EXPECT_EQ(Results(ui::Window<Form6>()), "dr Result|4|||||");
    EXPECT_FALSE(ui::Window<Form6>().isVisible());
}

// The bands a table's results make, as its picture writes them: the first with "≤", a last band of
// more than one dr with "≥", others as "a-b" or one dr; each followed by its result.
QStringList BandsOf(const random::DieArray& results) {
    QStringList bands;
    for (int first = 1, last = 1; first <= 6; first = ++last) {
        while (last < 6 &&
               results[static_cast<std::size_t>(last)] == results[static_cast<std::size_t>(first - 1)]) {
            ++last;
        }
        if (first == 1) {
            bands << QStringLiteral("\u2264%1").arg(last);
        } else if (last == 6 && first < last) {
            bands << QStringLiteral("\u2265%1").arg(first);
        } else {
            bands << (first == last ? QString::number(first) : QStringLiteral("%1-%2").arg(first).arg(last));
        }
        bands << ui::ToQt(results[static_cast<std::size_t>(first - 1)]);
    }
    return bands;
}

TEST(TablePictures, ShowTheNameAndTheBandsOfTheTablesResults) {
    for (const random::Table6& table : random::Tables6()) {
        const QString name = ui::ToQt(table.name);
        QFile picture(QStringLiteral(":/pictures/tables/%1.svg").arg(name.right(2)));
        ASSERT_TRUE(picture.open(QIODevice::ReadOnly)) << table.name;
        QStringList texts; // in the order the picture draws them
        for (QXmlStreamReader xml(&picture); !xml.atEnd();) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text")) {
                texts << xml.readElementText();
            }
        }
        EXPECT_EQ(texts, QStringList{name} + BandsOf(table.results)) << table.name;
    }
}

} // namespace
} // namespace dorva
