#include "random/gui/RandomNumbersScreen.h"

#include "data/GameLog.h"
#include "random/RandomNumbers.h"
#include "ui/Controls.h"
#include "ui/NewResult.h"
#include "ui/Pictures.h"
#include "ui/Text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dorva {
namespace {

using ui::MakeLabel;
using ui::Place;
using ui::Twips;

QLabel* ResultLabel(QWidget* parent, const char* name, int left, int top, int width) {
    QLabel* label = MakeLabel(parent, name, QString(), left, top, width, 360);
    label->setFont(ui::SansSerif(12, true)); // the results stand out
    return label;
}

QLabel* CaptionLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                     int width) {
    QLabel* label = MakeLabel(parent, name, caption, left, top, width, 360);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A table button: its picture (60 by 60 pixels) is the whole button, so the button draws no frame of
// its own; the picture shows the table's name and bands.
QPushButton* TableButton(QWidget* parent, const char* name, const QString& table, int left, int top) {
    auto* button = Place(new QPushButton(parent), name, left, top, 900, 900);
    button->setFlat(true);
    button->setIcon(ui::PictureIcon(QStringLiteral(":/pictures/tables/%1.svg").arg(table.right(2))));
    button->setIconSize(QSize(60, 60));
    button->setAccessibleName(table);
    return button;
}

// "Colored dr = 4" as the screen shows it; nothing while the value is blank.
std::string Shown(const QLabel* caption, const QString& value) {
    return value.isEmpty() ? std::string() : ui::FromQt(caption->text() + QLatin1Char(' ') + value);
}

} // namespace

// The tables on the left, the dice on the right, every text at a size that shows it whole.
Form6::Form6(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form6"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Random Numbers"));
    setFixedSize(Twips(7800), Twips(4560));
    BuildTableArea();
    BuildDiceArea();
}

void Form6::BuildTableArea() {
    // Rows of three, three and two; the last row is centred under the others.
    Table6aBtn = TableButton(this, "Table6aBtn", QStringLiteral("Table 6a"), 120, 120);
    Table6bBtn = TableButton(this, "Table6bBtn", QStringLiteral("Table 6b"), 1140, 120);
    Table6cBtn = TableButton(this, "Table6cBtn", QStringLiteral("Table 6c"), 2160, 120);
    Table6dBtn = TableButton(this, "Table6dBtn", QStringLiteral("Table 6d"), 120, 1140);
    Table6eBtn = TableButton(this, "Table6eBtn", QStringLiteral("Table 6e"), 1140, 1140);
    Table6fBtn = TableButton(this, "Table6fBtn", QStringLiteral("Table 6f"), 2160, 1140);
    Table6gBtn = TableButton(this, "Table6gBtn", QStringLiteral("Table 6g"), 630, 2160);
    Table6hBtn = TableButton(this, "Table6hBtn", QStringLiteral("Table 6h"), 1650, 2160);

    Label8 = MakeLabel(this, "Label8", QStringLiteral("Table  #"), 120, 3180, 2940, 300);
    Label8->setAlignment(Qt::AlignCenter);
    Label7 = CaptionLabel(this, "Label7", QStringLiteral("dr ="), 120, 3540, 1320);
    Label10 = ResultLabel(this, "Label10", 1560, 3540, 1500);
    Label6 = CaptionLabel(this, "Label6", QStringLiteral("Result ="), 120, 3960, 1320);
    Label9 = ResultLabel(this, "Label9", 1560, 3960, 1500);

    connect(Table6aBtn, &QPushButton::clicked, this, &Form6::Table6aBtn_Click);
    connect(Table6bBtn, &QPushButton::clicked, this, &Form6::Table6bBtn_Click);
    connect(Table6cBtn, &QPushButton::clicked, this, &Form6::Table6cBtn_Click);
    connect(Table6dBtn, &QPushButton::clicked, this, &Form6::Table6dBtn_Click);
    connect(Table6eBtn, &QPushButton::clicked, this, &Form6::Table6eBtn_Click);
    connect(Table6fBtn, &QPushButton::clicked, this, &Form6::Table6fBtn_Click);
    connect(Table6gBtn, &QPushButton::clicked, this, &Form6::Table6gBtn_Click);
    connect(Table6hBtn, &QPushButton::clicked, this, &Form6::Table6hBtn_Click);
}

void Form6::BuildDiceArea() {
    constexpr int left = 3360; // twips
    Label11 = MakeLabel(this, "Label11", QStringLiteral("Single dr Result"), left, 120, 4320, 300);
    Label11->setAlignment(Qt::AlignCenter);
    Label2 = CaptionLabel(this, "Label2", QStringLiteral("Colored dr ="), left, 480, 1920);
    ColorDieLB = ResultLabel(this, "ColorDieLB", left + 2040, 480, 2280);
    QPalette red = ColorDieLB->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    ColorDieLB->setPalette(red);
    Label3 = CaptionLabel(this, "Label3", QStringLiteral("White dr ="), left, 900, 1920);
    WhiteDieLB = ResultLabel(this, "WhiteDieLB", left + 2040, 900, 2280);
    Label4 = CaptionLabel(this, "Label4", QStringLiteral("Result ="), left, 1320, 1920);
    ResultLB = ResultLabel(this, "ResultLB", left + 2040, 1320, 2280);

    SingleDR = Place(new QPushButton(QStringLiteral("&Single dr*"), this), "SingleDR", left, 1800, 2100, 435);
    TwoDR = Place(new QPushButton(QStringLiteral("&Two Dice*"), this), "TwoDR", left + 2220, 1800, 2100, 435);
    AtoGG = Place(new QPushButton(QStringLiteral("&A-GG*"), this), "AtoGG", left, 2340, 2100, 435);
    Die1to10 =
        Place(new QPushButton(QStringLiteral("&1-10*"), this), "Die1to10", left + 2220, 2340, 2100, 435);

    Frame1 = Place(new QGroupBox(QStringLiteral("Ranged Numbers"), this), "Frame1", left, 2880, 4320, 1560);
    DieXThroughY =
        Place(new QPushButton(QStringLiteral("&X through Y*"), Frame1), "DieXThroughY", 120, 300, 1980, 435);
    Label1 = CaptionLabel(Frame1, "Label1", QStringLiteral("From ="), 2160, 300, 900);
    FromValueLB = Place(new QLineEdit(QStringLiteral("1"), Frame1), "FromValueLB", 3120, 300, 1080, 360);
    Label5 = CaptionLabel(Frame1, "Label5", QStringLiteral("To ="), 2160, 720, 900);
    ToValueLB = Place(new QLineEdit(QStringLiteral("10"), Frame1), "ToValueLB", 3120, 720, 1080, 360);
    // The bound boxes are named by their labels for screen readers.
    Label1->setBuddy(FromValueLB);
    Label5->setBuddy(ToValueLB);
    MakeLetterCB = Place(new QCheckBox(QStringLiteral("Display As Letters (A-ZZ only)"), Frame1),
                         "MakeLetterCB", 120, 1140, 4080, 330);

    connect(SingleDR, &QPushButton::clicked, this, &Form6::SingleDR_Click);
    connect(TwoDR, &QPushButton::clicked, this, &Form6::TwoDR_Click);
    connect(AtoGG, &QPushButton::clicked, this, &Form6::AtoGG_Click);
    connect(Die1to10, &QPushButton::clicked, this, &Form6::Die1to10_Click);
    connect(DieXThroughY, &QPushButton::clicked, this, &Form6::DieXThroughY_Click);
}

void Form6::LogResults() {
    // Only one of the two areas shows a result at a time: each roll clears the other.
    std::vector<std::string> shown = {ui::FromQt(Label8->text()), Shown(Label7, Label10->text()),
                                      Shown(Label6, Label9->text()), ui::FromQt(Label11->text())};
    if (Label11->text() == QStringLiteral("X-Y Result")) {
        shown.push_back(Shown(Label1, FromValueLB->text()));
        shown.push_back(Shown(Label5, ToValueLB->text()));
    }
    for (const auto& [caption, value] :
         {std::pair{Label2, ColorDieLB}, {Label3, WhiteDieLB}, {Label4, ResultLB}}) {
        shown.push_back(Shown(caption, value->text()));
    }
    data::LogRoll(random::kRandomNumbersScreen, data::JoinShown(shown, ", "));
}

void Form6::ClearTableResults() {
    Label8->clear();
    Label9->clear();
    Label10->clear();
}

void Form6::ClearDiceResults() {
    Label11->clear();
    ColorDieLB->clear();
    WhiteDieLB->clear();
    ResultLB->clear();
}

void Form6::SingleDR_Click() {
    ClearTableResults();
    Label11->setText(QStringLiteral("dr Result"));
    ui::ShowResult(*ColorDieLB, QString::number(random::SingleDieRoll()));
    WhiteDieLB->clear();
    ResultLB->clear();
    LogResults();
}

void Form6::TwoDR_Click() {
    ClearTableResults();
    Label11->setText(QStringLiteral("DR Result"));
    const random::TwoDice dice = random::TwoDiceRoll();
    ui::ShowResult(*ColorDieLB, QString::number(dice.colored));
    ui::ShowResult(*WhiteDieLB, QString::number(dice.white));
    ui::ShowResult(*ResultLB, QString::number(dice.Total()));
    LogResults();
}

void Form6::AtoGG_Click() {
    ClearTableResults();
    Label11->setText(QStringLiteral("A-GG Result"));
    ColorDieLB->clear();
    WhiteDieLB->clear();
    ui::ShowResult(*ResultLB, ui::ToQt(random::AToGGRoll()));
    LogResults();
}

void Form6::Die1to10_Click() {
    Label11->setText(QStringLiteral("1-10 Result"));
    ClearTableResults();
    ColorDieLB->clear();
    WhiteDieLB->clear();
    ui::ShowResult(*ResultLB, QString::number(random::OneToTenRoll()));
    LogResults();
}

void Form6::DieXThroughY_Click() {
    ClearTableResults();
    Label11->setText(QStringLiteral("X-Y Result"));
    const random::RangeRoll roll = random::DieXThroughY(
        ui::FromQt(FromValueLB->text()), ui::FromQt(ToValueLB->text()), MakeLetterCB->isChecked());
    // A letter range is always shown as row names, and the box stays checked, also when the range
    // is refused.
    if (roll.letterRange) {
        MakeLetterCB->setChecked(true);
    }
    if (!roll.result) {
        return;
    }
    ColorDieLB->clear();
    WhiteDieLB->clear();
    ui::ShowResult(*ResultLB, ui::ToQt(*roll.result));
    LogResults();
}

void Form6::DoTableRoll(const QString& dieTable, const random::DieArray& dieArray,
                        const std::string& extraText) {
    ClearDiceResults();
    const random::TableRollResult roll = random::DoTableRoll(dieArray, extraText);
    Label8->setText(dieTable);
    ui::ShowResult(*Label10, QString::number(roll.dr));
    ui::ShowResult(*Label9, ui::ToQt(roll.result));
    LogResults();
}

void Form6::RollOnTable(int index) {
    const random::Table6& table = random::Tables6()[static_cast<std::size_t>(index)];
    DoTableRoll(ui::ToQt(table.name), table.results, table.extraText);
}

void Form6::Table6aBtn_Click() {
    RollOnTable(0);
}
void Form6::Table6bBtn_Click() {
    RollOnTable(1);
}
void Form6::Table6cBtn_Click() {
    RollOnTable(2);
}
void Form6::Table6dBtn_Click() {
    RollOnTable(3);
}
void Form6::Table6eBtn_Click() {
    RollOnTable(4);
}
void Form6::Table6fBtn_Click() {
    RollOnTable(5);
}
void Form6::Table6gBtn_Click() {
    RollOnTable(6);
}
void Form6::Table6hBtn_Click() {
    RollOnTable(7);
}

} // namespace dorva
