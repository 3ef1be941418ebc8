#include "ui/Controls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

namespace dorva::ui {
namespace {
// Below this the text would be too small to read; a text that does not fit even so is shown there.
constexpr double kSmallestPointSize = 6.0;
const char* const kOwnPointSize = "dorvaOwnPointSize";
} // namespace

void NameList(QComboBox& list, const QString& what) {
    list.setAccessibleName(what);
    list.view()->setAccessibleName(what);
    // Qt on Linux reads a list by its current entry whatever its accessible name, and tells what the
    // list is for by the label whose buddy it is. These lists have no caption on the screen, so their
    // label is one that is never shown.
    auto* label = new QLabel(what, list.parentWidget());
    label->setObjectName(list.objectName() + QStringLiteral("Caption"));
    label->setBuddy(&list);
    label->hide();
}

bool TextFits(const QLabel& label) {
    if (!label.wordWrap()) {
        const QSize needed = label.sizeHint();
        return needed.width() <= label.width() && needed.height() <= label.height();
    }
    const QFontMetrics metrics(label.font());
    const int width = label.contentsRect().width() - 2 * label.margin();
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& word : label.text().split(blanks, Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > width) {
            return false;
        }
    }
    return label.heightForWidth(label.width()) <= label.height();
}

void ShowFitted(QLabel& label, const QString& text) {
    if (!label.property(kOwnPointSize).isValid()) {
        label.setProperty(kOwnPointSize, label.font().pointSizeF());
    }
    QFont font = label.font();
    font.setPointSizeF(label.property(kOwnPointSize).toDouble());
    label.setFont(font);
    label.setText(text);
    while (!TextFits(label) && font.pointSizeF() > kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        label.setFont(font);
    }
}

void FitList(QComboBox& list, const QStringList& entries) {
    list.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    if (!list.property(kOwnPointSize).isValid()) {
        list.setProperty(kOwnPointSize, list.font().pointSizeF());
    }
    QFont font = list.font();
    font.setPointSizeF(list.property(kOwnPointSize).toDouble());
    const auto widest = [&list, &entries](const QFont& shown) {
        const QFontMetrics metrics(shown);
        int text = 0;
        for (const QString& entry : entries) {
            text = std::max(text, metrics.horizontalAdvance(entry));
        }
        QStyleOptionComboBox option;
        option.initFrom(&list);
        option.frame = list.hasFrame();
        return list.style()
            ->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text, metrics.height()), &list)
            .width();
    };
    while (widest(font) > list.width() && font.pointSizeF() > kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    list.setFont(font);
}

} // namespace dorva::ui
