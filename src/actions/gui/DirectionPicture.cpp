#include "actions/gui/DirectionPicture.h"

#include "actions/Direction.h"
#include "ui/Controls.h"
#include "ui/NewResult.h"
#include "ui/Text.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace dorva {
namespace {

// The picture drawn at the largest size that fits box with its own proportions, sharp on screens of
// any density.
QPixmap FittedPicture(const QString& resource, QSize box, qreal pixelRatio) {
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) {
        return {};
    }
    const QSize size = renderer.defaultSize().scaled(box, Qt::KeepAspectRatio);
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

} // namespace

QLabel* MakeDirectionImage(QWidget* parent, const char* name, int left, int top, int width, int height) {
    QLabel* image = ui::Place(new QLabel(parent), name, left, top, width, height);
    image->setAlignment(Qt::AlignCenter);
    image->setAccessibleName(QStringLiteral("Movement direction picture"));
    return image;
}

void ShowDirectionPicture(QLabel* image) {
    SetDirectionPicture(image, actions::CurrentBasePicture());
}

void RollDirection(QLabel* label, QLabel* image) {
    const actions::DirectionRoll roll = actions::RollDirection();
    ui::ShowResult(*label, ui::ToQt(roll.caption));
    SetDirectionPicture(image, roll.picture);
}

void SetDirectionPicture(QLabel* image, int picture) {
    image->setProperty("picture", picture);
    image->setAccessibleDescription(ui::ToQt(actions::PictureDescription(picture)));
    if (picture == actions::kNoPicture) {
        image->clear();
        return;
    }
    image->setPixmap(FittedPicture(QStringLiteral(":/pictures/%1").arg(picture), image->size(),
                                   image->devicePixelRatioF()));
}

} // namespace dorva
