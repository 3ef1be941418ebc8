#include "data/gui/DieRollStatsWindow.h"

#include "data/DieRollStats.h"
#include "data/State.h"
#include "data/gui/DiceChart.h"
#include "ui/Controls.h"
#include "ui/Text.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace dorva {
namespace {

constexpr int kColumn0 = 240; // twips
constexpr int kColumnStep = 600;
constexpr int kCellWidth = 540;
constexpr int kCellHeight = 255;
constexpr int kCountGap = 240; // from a heading down to its count
constexpr int kTotalsX = 4080;
constexpr int kAveragesX = 5040;
constexpr int kFigureWidth = 900;

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, int x, int y, int width) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(ui::Twips(x), ui::Twips(y), ui::Twips(width), ui::Twips(kCellHeight));
    return label;
}

} // namespace

Form5::Form5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Die Roll Stats"));
    setModal(true);
    setFixedSize(ui::Twips(6240), ui::Twips(7080));

    // Where each heading stands, as (column, y): the single-die row 1 to 6; then the two-dice block,
    // 2 to 6 left to right in its first row, 7 at the right end between the rows, 8 to 12 right to
    // left in its second row, so that the totals run round like the dice's bell curve.
    constexpr int singleRow = 240;
    constexpr int firstRow = 1080;
    constexpr int middleRow = 1500;
    constexpr int secondRow = 1920;
    std::array<std::pair<int, int>, 17> places{};
    for (int i = 0; i < 6; ++i) {
        places[static_cast<std::size_t>(i)] = {i, singleRow};
    }
    for (int total = 2; total <= 6; ++total) {
        places[static_cast<std::size_t>(total + 4)] = {total - 2, firstRow};
    }
    places[11] = {5, middleRow};
    for (int total = 8; total <= 12; ++total) {
        places[static_cast<std::size_t>(total + 4)] = {12 - total, secondRow};
    }

    for (std::size_t i = 0; i < places.size(); ++i) {
        const int heading = i < 6 ? static_cast<int>(i) + 1 : static_cast<int>(i) - 4;
        const int x = kColumn0 + places[i].first * kColumnStep;
        const int y = places[i].second;
        const QString index = QString::number(i);
        Label2[i] =
            MakeLabel(this, QStringLiteral("Label2_") + index, QString::number(heading), x, y, kCellWidth);
        Label2[i]->setAlignment(Qt::AlignCenter);
        QFont bold = Label2[i]->font();
        bold.setBold(true);
        Label2[i]->setFont(bold);
        Label3[i] =
            MakeLabel(this, QStringLiteral("Label3_") + index, QString(), x, y + kCountGap, kCellWidth);
        Label3[i]->setAlignment(Qt::AlignCenter);
    }

    Label5 =
        MakeLabel(this, QStringLiteral("Label5"), QStringLiteral("Total"), kTotalsX, singleRow, kFigureWidth);
    Label4 =
        MakeLabel(this, QStringLiteral("Label4"), QString(), kTotalsX, singleRow + kCountGap, kFigureWidth);
    Label7 = MakeLabel(this, QStringLiteral("Label7"), QStringLiteral("Average"), kAveragesX, singleRow,
                       kFigureWidth);
    Label6 =
        MakeLabel(this, QStringLiteral("Label6"), QString(), kAveragesX, singleRow + kCountGap, kFigureWidth);
    Label9 =
        MakeLabel(this, QStringLiteral("Label9"), QStringLiteral("Total"), kTotalsX, middleRow, kFigureWidth);
    Label8 =
        MakeLabel(this, QStringLiteral("Label8"), QString(), kTotalsX, middleRow + kCountGap, kFigureWidth);
    Label11 = MakeLabel(this, QStringLiteral("Label11"), QStringLiteral("Average"), kAveragesX, middleRow,
                        kFigureWidth);
    Label10 = MakeLabel(this, QStringLiteral("Label10"), QString(), kAveragesX, middleRow + kCountGap,
                        kFigureWidth);

    // Below the figures: the chart, a verdict per kind of roll and the export.
    Chart = ui::Place(new DiceChart(this), "Chart", 120, 2640, 6000, 3000);
    DrVerdictLB = ui::MakeLabel(this, "DrVerdictLB", QString(), 240, 5700, 5880, 285);
    DRVerdictLB = ui::MakeLabel(this, "DRVerdictLB", QString(), 240, 6000, 5880, 285);
    ExportCsvBtn = ui::Place(new QPushButton(QStringLiteral("&Export CSV..."), this), "ExportCsvBtn", 240,
                             6420, 1800, 435);
    ExportCsvBtn->setAutoDefault(false);
    connect(ExportCsvBtn, &QPushButton::clicked, this, &Form5::ExportCsvBtn_Click);
}

void Form5::Form_Load() {
    const data::DieRollStatsFigures figures = data::ComputeDieRollStats(data::gDRStats);
    for (std::size_t i = 0; i < Label3.size(); ++i) {
        Label3[i]->setText(ui::ToQt(figures.counts[i]));
    }
    Label4->setText(ui::ToQt(figures.drTotal));
    Label6->setText(ui::ToQt(figures.drAverage));
    Label8->setText(ui::ToQt(figures.DRTotal));
    Label10->setText(ui::ToQt(figures.DRAverage));

    std::vector<data::DiceBar> dr = data::DrBars(data::gDRStats);
    std::vector<data::DiceBar> DR = data::DRBars(data::gDRStats);
    DrVerdictLB->setText(ui::ToQt("dr: " + data::JudgeFairness(dr).text));
    DRVerdictLB->setText(ui::ToQt("DR: " + data::JudgeFairness(DR).text));
    Chart->SetBars(std::move(dr), std::move(DR));
}

void Form5::ExportCsvBtn_Click() {
    data::ExportDiceCsv(data::gDRStats);
}

void Form5::showEvent(QShowEvent* event) {
    // The figures are those of the moment the window opens; they do not follow later rolls.
    Form_Load();
    QDialog::showEvent(event);
}

} // namespace dorva
