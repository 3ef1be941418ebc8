#include "app/gui/AboutBox.h"

#include "app/gui/Version.h"
#include "ui/Pictures.h"
#include "ui/Text.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace dorva {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    using ui::Twips;
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + ui::kAppTitle);
    setModal(true);
    setFixedSize(Twips(6300), Twips(4020));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Twips(240), Twips(240), Twips(1080), Twips(1080));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(ui::Picture(QStringLiteral(":/pictures/about.svg"), Image1->size()));
    Image1->setAccessibleName(QStringLiteral("DORVA II emblem"));
    Image1->setAccessibleDescription(QStringLiteral("A map hex holding a suspect counter, with a red die"));

    lblTitle = new QLabel(QStringLiteral("DORVA! II"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(Twips(1560), Twips(240), Twips(4500), Twips(480));
    QFont title = lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    lblTitle->setFont(title);

    lblVersion = new QLabel(ui::VersionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(Twips(1560), Twips(780), Twips(4500), Twips(285));

    lblDescription = new QLabel(QStringLiteral("A handy Game Assistant for solitaire play."), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setGeometry(Twips(1560), Twips(1125), Twips(4500), Twips(555));
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* line = new QFrame(this);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(Twips(240), Twips(1800), Twips(5820), Twips(30));

    lblDisclaimer = new QLabel(
        QStringLiteral("This program may be copied and passed on freely for private, non-commercial play, "
                       "as long as it is passed on whole and unchanged. It comes without warranty of any "
                       "kind; the game's own rules always take precedence over its results."),
        this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setGeometry(Twips(240), Twips(1950), Twips(5820), Twips(1200));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Twips(4800), Twips(3420), Twips(1260), Twips(375));
    cmdOK->setDefault(true);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

void frmAbout::cmdOK_Click() {
    accept();
}

} // namespace dorva
