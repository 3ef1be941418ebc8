#include "data/gui/DiceChart.h"

#include "ui/Text.h"

#include <QPainter>

#include <algorithm>

namespace dorva {
namespace {

// One group of bars in its rectangle, under its title, with the results beneath the bars.
void PaintGroup(QPainter& painter, const QRect& area, const QString& title,
                const std::vector<data::DiceBar>& bars, const QPalette& palette) {
    const int textHeight = painter.fontMetrics().height();
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(QRect(area.left(), area.top(), area.width(), textHeight), Qt::AlignCenter, title);
    if (bars.empty()) {
        return;
    }
    const QRect plot(area.left(), area.top() + textHeight + 4, area.width(),
                     area.height() - 2 * textHeight - 8);
    double highest = 1;
    for (const data::DiceBar& bar : bars) {
        highest = std::max({highest, static_cast<double>(bar.count), bar.expected});
    }
    const int slot = plot.width() / static_cast<int>(bars.size());
    const auto heightOf = [&](double value) {
        return static_cast<int>(value / highest * plot.height() + 0.5);
    };
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const int left = plot.left() + static_cast<int>(i) * slot;
        const int barHeight = heightOf(bars[i].count);
        painter.fillRect(QRect(left + 2, plot.bottom() - barHeight + 1, slot - 4, barHeight),
                         palette.color(QPalette::Highlight));
        const int fair = plot.bottom() - heightOf(bars[i].expected);
        painter.setPen(QPen(palette.color(QPalette::WindowText), 2));
        painter.drawLine(left, fair, left + slot - 1, fair);
        painter.drawText(QRect(left, plot.bottom() + 4, slot, textHeight), Qt::AlignCenter,
                         QString::number(bars[i].result));
    }
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawLine(plot.left(), plot.bottom(), plot.left() + slot * static_cast<int>(bars.size()),
                     plot.bottom());
}

} // namespace

DiceChart::DiceChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DiceChart"));
    setAccessibleName(QStringLiteral("Dice chart"));
}

void DiceChart::SetBars(std::vector<data::DiceBar> dr, std::vector<data::DiceBar> DR) {
    dr_ = std::move(dr);
    DR_ = std::move(DR);
    // A screen reader reads the chart as the numbers it is drawn from.
    setAccessibleDescription(
        ui::ToQt(data::BarsDescription("dr", dr_) + "; " + data::BarsDescription("DR", DR_)));
    update();
}

void DiceChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int textHeight = painter.fontMetrics().height();
    const QRect area = rect().adjusted(4, 4, -4, -textHeight - 8);
    // Six dr bars take as much room each as the eleven DR bars.
    const int drWidth = area.width() * 6 / 17;
    const int gap = 16;
    PaintGroup(painter, QRect(area.left(), area.top(), drWidth - gap, area.height()), QStringLiteral("dr"),
               dr_, palette());
    PaintGroup(painter, QRect(area.left() + drWidth, area.top(), area.width() - drWidth, area.height()),
               QStringLiteral("DR"), DR_, palette());

    // The legend along the bottom.
    const int y = rect().bottom() - textHeight - 2;
    painter.fillRect(QRect(area.left(), y + textHeight / 4, textHeight / 2, textHeight / 2),
                     palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::WindowText));
    const QString rolled = QStringLiteral("rolled");
    painter.drawText(QPoint(area.left() + textHeight, y + painter.fontMetrics().ascent()), rolled);
    const int lineLeft = area.left() + textHeight * 2 + painter.fontMetrics().horizontalAdvance(rolled);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 2));
    painter.drawLine(lineLeft, y + textHeight / 2, lineLeft + textHeight, y + textHeight / 2);
    painter.drawText(QPoint(lineLeft + textHeight + 6, y + painter.fontMetrics().ascent()),
                     QStringLiteral("fair dice"));
}

} // namespace dorva
