#include "actions/gui/CloseCombatScreen.h"

#include "actions/CloseCombat.h"
#include "actions/Results.h"
#include "actions/Spoken.h"
#include "actions/gui/DirectionPicture.h"
#include "ui/Controls.h"
#include "ui/NewResult.h"
#include "ui/Text.h"

#include <QLabel>
#include <QPushButton>

namespace dorva {
namespace {

void Show(QLabel* roll, QLabel* text, const actions::CloseCombatRoll& result) {
    ui::ShowResult(*roll, ui::ToQt(result.roll));
    ui::ShowResult(*text, ui::DisplayText(result.text));
    actions::LogShown(actions::kCloseCombatScreen, result.roll, {result.text});
    actions::AnnounceResult(
        actions::ResultSentence(actions::RollWords(ui::FromQt(roll->text())), ui::FromQt(text->text())));
}

} // namespace

Form10::Form10(QWidget* parent) : QWidget(parent, Qt::Window) {
    using ui::MakeLabel;
    using ui::Place;
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("CC/Melee"));
    // Sizes in twips; the explanation has room for the longest shipped text in its large font.
    setFixedSize(ui::Twips(5580), ui::Twips(3240));

    AdvanceBtn =
        Place(new QPushButton(QStringLiteral("Advance dr"), this), "AdvanceBtn", 120, 120, 1500, 495);
    Command4 = Place(new QPushButton(QStringLiteral("CC Attack DR"), this), "Command4", 1740, 120, 1500, 495);
    AdvanceLB =
        MakeLabel(this, "AdvanceLB", QStringLiteral("(DR/dr results displayed here)"), 120, 720, 3120, 285);
    CCNTCDrmsBtn =
        Place(new QPushButton(QStringLiteral("CC NTC"), this), "CCNTCDrmsBtn", 120, 1140, 1500, 495);
    CCPairingsBtn =
        Place(new QPushButton(QStringLiteral("CC Pairings"), this), "CCPairingsBtn", 1740, 1140, 1500, 495);
    Image1 = MakeDirectionImage(this, "Image1", 3360, 120, 2100, 1515);

    Label1 = MakeLabel(this, "Label1", QString(), 120, 1800, 5340, 1320);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    Label1->setFont(ui::SansSerif(12));

    connect(AdvanceBtn, &QPushButton::clicked, this, &Form10::AdvanceBtn_Click);
    connect(Command4, &QPushButton::clicked, this, &Form10::Command4_Click);
    connect(CCNTCDrmsBtn, &QPushButton::clicked, this, &Form10::CCNTCDrmsBtn_Click);
    connect(CCPairingsBtn, &QPushButton::clicked, this, &Form10::CCPairingsBtn_Click);

    Form_Load();
}

void Form10::Form_Load() {
    ShowDirectionPicture(Image1);
}

void Form10::AdvanceBtn_Click() {
    RollDirection(AdvanceLB, Image1);
    actions::LogShown(actions::kCloseCombatScreen, "Advance dr", {ui::FromQt(AdvanceLB->text())});
    actions::AnnounceResult("Advance " + actions::RollWords(ui::FromQt(AdvanceLB->text())));
}

void Form10::CCNTCDrmsBtn_Click() {
    Show(AdvanceLB, Label1, actions::RollCCNtc());
}

void Form10::CCPairingsBtn_Click() {
    Show(AdvanceLB, Label1, actions::RollCCPairings());
}

void Form10::Command4_Click() {
    Show(AdvanceLB, Label1, actions::RollCCAttack());
}

} // namespace dorva
