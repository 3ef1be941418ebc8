#include "app/gui/Splash.h"

#include "app/gui/Version.h"
#include "ui/Pictures.h"
#include "ui/Text.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace dorva {

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen) {
    using ui::Twips;
    setObjectName(QStringLiteral("frmSplash"));
    // Unloaded when start-up (or the player) closes it.
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips(7380), Twips(4020));
    setFocusPolicy(Qt::StrongFocus);

    // The splash has no title bar; its border is the fixed dialog border drawn by the frame's edge.
    auto* border = new QFrame(this);
    border->setFrameStyle(QFrame::Panel | QFrame::Raised);
    border->setLineWidth(2);
    border->setGeometry(rect());

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setGeometry(Twips(150), Twips(150), Twips(7080), Twips(3720));
    Frame1->installEventFilter(this);

    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Twips(240), Twips(360), Twips(2880), Twips(2880));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(ui::Picture(QStringLiteral(":/pictures/splash.svg"), Image1->size()));
    Image1->setAccessibleName(QStringLiteral("DORVA II"));
    Image1->setAccessibleDescription(QStringLiteral(
        "A stretch of hex map with woods and buildings, hidden and revealed counters and the dice"));
    // Clicks on the picture and the texts count as clicks on the frame.
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);

    lblProductName = new QLabel(QStringLiteral("DORVA! II"), Frame1);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    lblProductName->setGeometry(Twips(3360), Twips(960), Twips(3480), Twips(960));
    QFont big = lblProductName->font();
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    lblProductName->setFont(big);
    lblProductName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblProductName->setAttribute(Qt::WA_TransparentForMouseEvents);

    lblVersion = new QLabel(ui::VersionText(), Frame1);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(Twips(3360), Twips(2040), Twips(3480), Twips(360));
    QFont version = lblVersion->font();
    version.setBold(true);
    lblVersion->setFont(version);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblVersion->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void frmSplash::Form_KeyPress() {
    close();
}

void frmSplash::Frame1_Click() {
    close();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    event->accept();
    Form_KeyPress();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        Frame1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dorva
