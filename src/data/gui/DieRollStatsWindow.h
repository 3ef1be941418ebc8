#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QShowEvent;

namespace dorva {

// The die-roll statistics window: how often each dr and DR came up in this run, with totals and
// averages.
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

    // Puts the figures of gDRStats into the labels; runs each time the window is shown.
    void Form_Load();

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace dorva
