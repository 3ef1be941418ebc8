// The random-numbers and suspect-locations screens: their controls, what each operation shows, how
// the toolbar, its menus and shortcuts and the mini controls reach them, also while they are hidden.
#include "app/gui/MiniControls.h"
#include "app/gui/Toolbar.h"
#include "data/SupportFolder.h"
#include "data/TableFile.h"
#include "random/RandomSupport.h"
#include "random/Tables6.h"
#include "random/gui/LocationsScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "support/WindowTest.h"
#include "ui/Text.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
        data::gTable9E.Create(7, 2);
        for (int row = 0; row <= 6; ++row) {
            data::gTable9E.CellRef(row, 0) = "at " + std::to_string(row);
            data::gTable9E.CellRef(row, 1) = "say " + std::to_string(row);
        }
        SpeakOn();
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

TEST_F(RandomScreens, RandomNumbersControls) {
    Form6& form = ui::Window<Form6>();
    EXPECT_EQ(form.windowTitle(), "Random Numbers");
    // clang-format off
    test::ExpectCaptions(form, {
        {"Label11", "Single dr Result"}, {"Label2", "Colored dr ="}, {"ColorDieLB", ""}, {"Label3", "White dr ="},
        {"WhiteDieLB", ""}, {"Label4", "Result ="}, {"ResultLB", ""}, {"SingleDR", "&Single dr*"},
        {"TwoDR", "&Two Dice*"}, {"AtoGG", "&A-GG*"}, {"Die1to10", "&1-10*"}, {"Frame1", "Ranged Numbers"},
        {"DieXThroughY", "&X through Y*"}, {"Label1", "From ="}, {"FromValueLB", "1"}, {"Label5", "To ="},
        {"ToValueLB", "10"}, {"MakeLetterCB", "Display As Letters (A-ZZ only)"}, {"Label8", "Table  #"},
        {"Label7", "dr ="}, {"Label10", ""}, {"Label6", "Result ="}, {"Label9", ""}});
    // clang-format on
    EXPECT_FALSE(form.MakeLetterCB->isChecked());
    EXPECT_EQ(form.ColorDieLB->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    // Rows of three, three and two; each button is its picture and says which table it rolls.
    QList<int> rowTops;
    for (char letter = 'a'; letter <= 'h'; ++letter) {
        const QString table = QStringLiteral("Table 6") + QLatin1Char(letter);
        auto* button = form.findChild<QPushButton*>(QStringLiteral("Table6%1Btn").arg(letter));
        ASSERT_NE(button, nullptr) << letter;
        EXPECT_EQ(button->accessibleName(), table);
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_EQ(button->size(), QSize(60, 60));
        EXPECT_FALSE(button->icon().isNull()) << letter;
        rowTops << button->y();
    }
    EXPECT_EQ(QSet<int>(rowTops.begin(), rowTops.begin() + 3).size(), 1);
    EXPECT_EQ(QSet<int>(rowTops.begin(), rowTops.end()).size(), 3);
    EXPECT_EQ(rowTops.count(rowTops.last()), 2);
}

TEST_F(RandomScreens, LocationsControls) {
    Form11& form = ui::Window<Form11>();
    EXPECT_EQ(form.windowTitle(), "S? Locations");
    test::ExpectCaptions(form, {{"SLocationBtn", "S? &Location*"},
                                {"IsVillageCB", "Board is &Village (\"v\" prefix)"},
                                {"Label1", ""},
                                {"SaveToFileBtn", "Save to &File"},
                                {"Text1", "100"},
                                {"Label2", "Number of locations"},
                                {"SFileNameLB", "(No file saved yet.)"}});
    EXPECT_FALSE(form.IsVillageCB->isChecked());
}

struct ScreenCase {
    const char* name;
    void (Form6::*operation)();
    std::vector<int> dice;
    const char* results; // as Results() joins them
};

class ScreenResults : public RandomScreens, public ::testing::WithParamInterface<ScreenCase> {};

// Dice operations blank the table area; table rolls blank the dice area, its heading included.
TEST_P(ScreenResults, EachOperationShowsItsResultsAndBlanksTheOtherArea) {
    const ScreenCase& c = GetParam();
    Form6& form = ui::Window<Form6>();
    for (QLabel* label : form.findChildren<QLabel*>(QRegularExpression("^(Label(11|8|9|10)|.*LB)$"))) {
        label->setText("old");
    }
    dice.Script(c.dice);
    (form.*c.operation)();
    EXPECT_EQ(Results(form), c.results);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Operations, ScreenResults, ::testing::Values(
    ScreenCase{"SingleDie", &Form6::SingleDR_Click, {4}, "dr Result|4|||||"},
    ScreenCase{"TwoDice", &Form6::TwoDR_Click, {5, 2}, "DR Result|5|2|7|||"},
    ScreenCase{"AToGG", &Form6::AtoGG_Click, {7}, "A-GG Result|||G|||"},
    ScreenCase{"OneToTen", &Form6::Die1to10_Click, {3}, "1-10 Result|||3|||"},
    ScreenCase{"Range", &Form6::DieXThroughY_Click, {2}, "X-Y Result|||2|||"},
    ScreenCase{"Table6a", &Form6::Table6aBtn_Click, {1}, "||||Table 6a|1|4"},
    ScreenCase{"Table6h", &Form6::Table6hBtn_Click, {2}, "||||Table 6h|2|0"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
// clang-format on

// A refused range changes only the heading and the table area; a letter range checks the letters
// box, refused or not, and it stays checked for the next number range.
TEST_F(RandomScreens, ARefusedRangeKeepsTheEarlierResult) {
    Form6& form = ui::Window<Form6>();
    dice.Script({2});
    form.DieXThroughY->click();
    form.Label8->setText("Table 6a");
    form.FromValueLB->setText("ZZ");
    form.ToValueLB->setText("zz");
    form.DieXThroughY->click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>({"From value must be no more than YY",
                                                          "To value must be greater than From Value"}));
    EXPECT_EQ(Results(form), "X-Y Result|||2|||");
    EXPECT_TRUE(form.MakeLetterCB->isChecked());

    form.FromValueLB->setText("1");
    form.ToValueLB->setText("3");
    dice.Script({3});
    form.DieXThroughY->click();
    EXPECT_EQ(form.ResultLB->text(), "C");
}

struct CallCase {
    const char* name;
    void (Form6::*operation)();
    int die;
    const char* vasl;
};

class HiddenCalls : public RandomScreens, public ::testing::WithParamInterface<CallCase> {};

// What the voice commands call: each operation on a screen that is not open creates it hidden and
// announces its own result.
TEST_P(HiddenCalls, RunOnAHiddenScreen) {
    const CallCase& c = GetParam();
    ASSERT_EQ(ui::ExistingWindow<Form6>(), nullptr);
    dice.Script({c.die, c.die});
    (ui::Window<Form6>().*c.operation)();
    EXPECT_EQ(vasl.text, c.vasl);
    EXPECT_FALSE(ui::ExistingWindow<Form6>()->isVisible());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Operations, HiddenCalls, ::testing::Values(
    CallCase{"SingleDR", &Form6::SingleDR_Click, 3, "dr = 3"},
    CallCase{"TwoDR", &Form6::TwoDR_Click, 3, "DR = 3, 3. Total = 6"},
    CallCase{"AtoGG", &Form6::AtoGG_Click, 3, "On A through GG you rolled C"},
    CallCase{"Die1to10", &Form6::Die1to10_Click, 3, "On 1 through 10 you rolled 3"},
    CallCase{"DieXThroughY", &Form6::DieXThroughY_Click, 3, "On X through Y you rolled 3"},
    CallCase{"Table6a", &Form6::Table6aBtn_Click, 3, "On Table 6A you got a result of 3"},
    CallCase{"Table6b", &Form6::Table6bBtn_Click, 3, "On Table 6B you got a result of 3"},
    CallCase{"Table6c", &Form6::Table6cBtn_Click, 3, "On Table 6C you got a result of 2"},
    CallCase{"Table6d", &Form6::Table6dBtn_Click, 3, "On Table 6D you got a result of 2"},
    CallCase{"Table6e", &Form6::Table6eBtn_Click, 3, "On Table 6E you got a result of 2"},
    CallCase{"Table6f", &Form6::Table6fBtn_Click, 3, "On Table 6F you got a result of 2"},
    CallCase{"Table6g", &Form6::Table6gBtn_Click, 3, "On Table 6G you got a result of 1"},
    CallCase{"Table6h", &Form6::Table6hBtn_Click, 3, "On Table 6H you got a result of 1"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
// clang-format on

TEST_F(RandomScreens, LocationOnAHiddenScreen) {
    dice.Script({5});
    ui::Window<Form11>().SLocationBtn_Click();
    EXPECT_EQ(ui::ExistingWindow<Form11>()->Label1->text(), "dr = at 5");
    EXPECT_EQ(vasl.text, "say 5");
    EXPECT_FALSE(ui::ExistingWindow<Form11>()->isVisible());
}

TEST_F(RandomScreens, ToolbarButtonsAndMenuItemsOpenOneScreenEach) {
    Form4& toolbar = ui::ShowWindow<Form4>();
    for (const char* control : {"Command6", "mneRandom", "Command8", "mneLocations"}) {
        Press(toolbar, control);
    }
    Form6* random = ui::ExistingWindow<Form6>();
    Form11* locations = ui::ExistingWindow<Form11>();
    ASSERT_TRUE(random && random->isVisible() && locations && locations->isVisible());
    random->hide();
    locations->hide();
    toolbar.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&toolbar));
    QTest::keyClick(&toolbar, Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(&toolbar, Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(random->isVisible() && locations->isVisible()) << "Ctrl+R and Ctrl+L";
    EXPECT_EQ(ui::ExistingWindow<Form6>(), random);
    EXPECT_EQ(ui::ExistingWindow<Form11>(), locations);
}

TEST_F(RandomScreens, MiniControlsRollOnTheHiddenScreen) {
    Form12& mini = ui::ShowWindow<Form12>();
    dice.Script({5, 2, 4});
    mini.Command1->click();
    Form6* form = ui::ExistingWindow<Form6>();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Results(*form), "DR Result|5|2|7|||");
    mini.Command2->click();
    EXPECT_EQ(Results(*form), "dr Result|4|||||");
    EXPECT_EQ(vasl.text, "dr = 4");
}

TEST_F(RandomScreens, AccessKeysPressTheButtons) {
    Form6& form = ui::ShowWindow<Form6>();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const std::vector<std::pair<Qt::Key, const char*>> keys = {{Qt::Key_S, "dr Result"},
                                                               {Qt::Key_T, "DR Result"},
                                                               {Qt::Key_A, "A-GG Result"},
                                                               {Qt::Key_1, "1-10 Result"},
                                                               {Qt::Key_X, "X-Y Result"}};
    dice.Script({1, 1, 1, 1, 1, 1});
    for (const auto& [key, heading] : keys) {
        QTest::keyClick(&form, key, Qt::AltModifier);
        // An access key presses the button the way a click does, released a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.Label11->text() == heading; }, 2000)) << heading;
    }

    Form11& locations = ui::ShowWindow<Form11>();
    locations.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&locations));
    QTest::keyClick(&locations, Qt::Key_V, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return locations.IsVillageCB->isChecked(); }, 2000));
    dice.Script({1});
    QTest::keyClick(&locations, Qt::Key_L, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return locations.Label1->text() == "Modified dr = at 0"; }, 2000));
    QTest::keyClick(&locations, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.asked.size() == 1; }, 2000)) << "Alt+F saves";
}

// Cancelling the dialog, or a count that is no number, leaves the file name as it was.
TEST_F(RandomScreens, TheFileNameShowsOnlyAChosenFile) {
    Form11& form = ui::Window<Form11>();
    form.Text1->setText("abc");
    form.SaveToFileBtn->click();
    form.Text1->setText("1");
    form.SaveToFileBtn->click(); // cancelled
    EXPECT_EQ(form.SFileNameLB->text(), "(No file saved yet.)");
    const std::string file = folder.Root().string() + "/Fran\303\247ais.txt";
    dialogs.answer = file;
    dice.Script({2});
    form.SaveToFileBtn->click();
    EXPECT_EQ(form.SFileNameLB->text(), QString::fromStdString(file));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(file)));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Number of Locations must be a number."});
}

// Whether a control shows all of its text at its size. Buttons without a caption show pictures, which
// are drawn at the button's size.
bool ShowsAllOfItsText(const QWidget& control) {
    if (auto* label = qobject_cast<const QLabel*>(&control); label && label->wordWrap()) {
        return label->heightForWidth(label->width()) <= label->height();
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(&control)) {
        const QMargins frame = edit->textMargins() + QMargins(4, 0, 4, 0);
        return edit->fontMetrics().horizontalAdvance(edit->text()) + frame.left() + frame.right() <=
                   edit->width() &&
               edit->minimumSizeHint().height() <= edit->height();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(&control); button && button->text().isEmpty()) {
        return true;
    }
    return control.sizeHint().width() <= control.width() && control.sizeHint().height() <= control.height();
}

// With the widest results and every location of the shipped table, no text is cut off.
TEST_F(RandomScreens, TextsAreNeverCutOff) {
    data::gProgramFolder =
        std::filesystem::path(qEnvironmentVariable("DORVA_TEST_BINARY_DIR").toStdString()) / "bin";
    ASSERT_TRUE(data::ReadTableStore(data::SupportPath("config.sco")).empty())
        << "build the support files first";

    Form6& form = ui::ShowWindow<Form6>();
    form.Label11->setText("Single dr Result");
    form.ColorDieLB->setText("6");
    form.WhiteDieLB->setText("6");
    form.ResultLB->setText("1000");
    form.Label8->setText("Table  #");
    form.Label10->setText("6");
    form.Label9->setText("4");
    form.FromValueLB->setText("999");
    form.ToValueLB->setText("1000");
    for (QWidget* control : form.findChildren<QWidget*>()) {
        if (!control->objectName().startsWith("qt_")) {
            EXPECT_TRUE(ShowsAllOfItsText(*control)) << control->objectName().toStdString();
        }
    }

    Form11& locations = ui::ShowWindow<Form11>();
    for (const bool village : {true, false}) {
        locations.IsVillageCB->setChecked(village);
        for (int die = 1; die <= 6; ++die) {
            dice.Script({die});
            locations.SLocationBtn_Click();
            EXPECT_TRUE(ShowsAllOfItsText(*locations.Label1)) << locations.Label1->text().toStdString();
        }
    }
    locations.Text1->setText("1000");
    locations.SFileNameLB->setText("/home/a-player-with-a-long-name/Documents/Village_Suspect_Locations.txt");
    for (QWidget* control : locations.findChildren<QWidget*>()) {
        EXPECT_TRUE(ShowsAllOfItsText(*control)) << control->objectName().toStdString();
    }
}

// The bands a table's results make, as its picture writes them: the first with "≤", a last band of
// more than one dr with "≥", others as "a-b" or one dr; each followed by its result.
QStringList BandsOf(const random::DieArray& results) {
    QStringList bands;
    int first = 1;
    for (int dr = 2; dr <= 7; ++dr) {
        if (dr <= 6 &&
            results[static_cast<std::size_t>(dr - 1)] == results[static_cast<std::size_t>(first - 1)]) {
            continue;
        }
        const int last = dr - 1;
        if (first == 1) {
            bands << QStringLiteral("\u2264%1").arg(last);
        } else if (last == 6 && first < last) {
            bands << QStringLiteral("\u2265%1").arg(first);
        } else if (first == last) {
            bands << QString::number(first);
        } else {
            bands << QStringLiteral("%1-%2").arg(first).arg(last);
        }
        bands << ui::ToQt(results[static_cast<std::size_t>(first - 1)]);
        first = dr;
    }
    return bands;
}

// The texts of a picture, in the order it draws them.
QStringList PictureTexts(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QStringList texts;
    for (QXmlStreamReader xml(&file); !xml.atEnd();) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text")) {
            texts << xml.readElementText();
        }
    }
    return texts;
}

TEST(TablePictures, ShowTheNameAndTheBandsOfTheTablesResults) {
    for (const random::Table6& table : random::Tables6()) {
        const QString name = ui::ToQt(table.name);
        const QString path = QStringLiteral(":/pictures/tables/%1.svg").arg(name.right(2));
        EXPECT_EQ(PictureTexts(path), QStringList{name} + BandsOf(table.results)) << path.toStdString();
    }
}

} // namespace
} // namespace dorva
