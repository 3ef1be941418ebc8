#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QShowEvent;

namespace dorva {

class DiceChart;

// The die-roll statistics window: how often each dr and DR came up in this game, with totals and
// averages, a chart against what fair dice would give with a verdict on each, and a CSV export.
class Form5 : public QDialog {
    Q_OBJECT

public:
    explicit Form5(QWidget* parent = nullptr);

    std::array<QLabel*, 17> Label2{}; // headings "1" to "6", then "2" to "12"
    std::array<QLabel*, 17> Label3{}; // the counts under them
    QLabel* Label4;                   // dr total
    QLabel* Label5;                   // "Total"
    QLabel* Label6;                   // dr average
    QLabel* Label7;                   // "Average"
    QLabel* Label8;                   // DR total
    QLabel* Label9;                   // "Total"
    QLabel* Label10;                  // DR average
    QLabel* Label11;                  // "Average"
    DiceChart* Chart;                 // the counts against fair dice
    QLabel* DrVerdictLB;              // "dr: consistent with fair dice"
    QLabel* DRVerdictLB;              // "DR: unusual: p = 0.003"
    QPushButton* ExportCsvBtn;

    void ExportCsvBtn_Click();

    // Puts the figures of gDRStats into the labels; runs each time the window is shown.
    void Form_Load();

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace dorva
