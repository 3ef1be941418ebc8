#include "random/gui/LocationsScreen.h"

#include "random/Locations.h"
#include "ui/Controls.h"
#include "ui/NewResult.h"
#include "ui/Text.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dorva {

using ui::MakeLabel;
using ui::Place;
using ui::Twips;

// The single roll at the top, the batch below it, the file name at the bottom, every text at a size
// that shows it whole.
Form11::Form11(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form11"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("S? Locations"));
    setFixedSize(Twips(5040), Twips(3300));

    SLocationBtn =
        Place(new QPushButton(QStringLiteral("S? &Location*"), this), "SLocationBtn", 120, 120, 1800, 435);
    IsVillageCB = Place(new QCheckBox(QStringLiteral("Board is &Village (\"v\" prefix)"), this),
                        "IsVillageCB", 2040, 180, 2880, 330);
    Label1 = MakeLabel(this, "Label1", QString(), 120, 660, 4800, 900);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    SaveToFileBtn =
        Place(new QPushButton(QStringLiteral("Save to &File"), this), "SaveToFileBtn", 120, 1740, 1800, 435);
    Text1 = Place(new QLineEdit(QStringLiteral("100"), this), "Text1", 2040, 1770, 1080, 360);
    Label2 = MakeLabel(this, "Label2", QStringLiteral("Number of locations"), 2040, 2160, 2880, 300);
    Label2->setBuddy(Text1); // names the box for screen readers
    SFileNameLB =
        MakeLabel(this, "SFileNameLB", QStringLiteral("(No file saved yet.)"), 120, 2520, 4800, 660);
    SFileNameLB->setWordWrap(true);
    SFileNameLB->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(SLocationBtn, &QPushButton::clicked, this, &Form11::SLocationBtn_Click);
    connect(SaveToFileBtn, &QPushButton::clicked, this, &Form11::SaveToFileBtn_Click);
}

std::string Form11::LocationDieRoll(bool show) {
    return random::LocationDieRoll(show, IsVillageCB->isChecked());
}

void Form11::SLocationBtn_Click() {
    ui::ShowResult(*Label1, ui::ToQt(LocationDieRoll(true)));
}

void Form11::SaveToFileBtn_Click() {
    if (const auto fileName = random::SaveLocations(ui::FromQt(Text1->text()), IsVillageCB->isChecked())) {
        ui::ShowResult(*SFileNameLB, ui::NameToQt(*fileName));
    }
}

} // namespace dorva
