#pragma once

#include "data/DieRollStats.h"

#include <QWidget>

#include <vector>

namespace dorva {

// A bar chart of the dice counts: a filled bar per result for how often it came up, and a line across
// it at how often fair dice would give it; the dr bars on the left, the DR bars on the right, each
// group on its own scale.
class DiceChart : public QWidget {
    Q_OBJECT

public:
    explicit DiceChart(QWidget* parent = nullptr);

    void SetBars(std::vector<data::DiceBar> dr, std::vector<data::DiceBar> DR);
    const std::vector<data::DiceBar>& DrBars() const { return dr_; }
    const std::vector<data::DiceBar>& DRBars() const { return DR_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<data::DiceBar> dr_, DR_;
};

} // namespace dorva
