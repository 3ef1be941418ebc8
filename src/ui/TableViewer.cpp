#include "ui/TableViewer.h"

#include "data/Dice.h"
#include "data/GameLog.h"
#include "ui/Controls.h"
#include "ui/NewResult.h"
#include "ui/Text.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace dorva {

Form3::Form3(QWidget* parent) : QWidget(parent, Qt::Window) {
    using ui::Twips;
    setObjectName(QStringLiteral("Form3"));
    setFixedSize(Twips(5175), Twips(4335));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips(120), Twips(120), Twips(4935), Twips(3495));
    Label1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setTextFormat(Qt::PlainText);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips(120), Twips(3735), Twips(1095), Twips(375));
    Command1->setDefault(true); // Return closes the window, as OK does

    Command2 = new QPushButton(QStringLiteral("Roll DR"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips(1335), Twips(3735), Twips(1095), Twips(375));

    Label2 = new QLabel(QStringLiteral("(DR/dr results here.)"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Twips(2550), Twips(3735), Twips(2505), Twips(375));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
}

void Form3::ShowListing(const QString& title, const QString& listing) {
    using ui::Twips;
    setWindowTitle(title);
    Label1->setText(listing);
    const QSize designed(Twips(4935), Twips(3495));
    const QSize listingSize = Label1->sizeHint().expandedTo(designed);
    Label1->resize(listingSize);
    const int grownBy = listingSize.height() - designed.height();
    for (QWidget* below : std::initializer_list<QWidget*>{Command1, Command2, Label2}) {
        below->move(below->x(), Twips(3735) + grownBy);
    }
    setFixedSize(Twips(5175) + listingSize.width() - designed.width(), Twips(4335) + grownBy);
}

void Form3::Command1_Click() {
    close();
}

void Form3::keyPressEvent(QKeyEvent* event) {
    if (ui::IsPutAwayKey(*event)) {
        Command1_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form3::Command2_Click() {
    const int dr2 = data::RollDice(2, 6, data::kRecord);
    const int dr1 = data::RollDice(1, 6, data::kRecord);
    ui::ShowResult(*Label2, QStringLiteral("DR = %1 dr = %2").arg(dr2).arg(dr1));
    // The listing's title names the table the roll was for.
    const QString title = windowTitle().isEmpty() ? QStringLiteral("Table") : windowTitle();
    data::LogRoll(ui::FromQt(title), ui::FromQt(Label2->text()));
}

} // namespace dorva
