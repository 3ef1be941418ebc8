#include "actions/gui/ActionsScreen.h"

#include "actions/Movement.h"
#include "actions/Spoken.h"
#include "actions/gui/DirectionPicture.h"
#include "ui/Controls.h"
#include "ui/NewResult.h"
#include "ui/Text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

namespace dorva {
namespace {

using actions::Attack;
using ui::MakeLabel;
using ui::Place;
using ui::SansSerif;
using ui::Twips;

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

// A label for texts of several lines, from the top left, broken at word ends.
QLabel* MakeTextLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                      int height) {
    QLabel* label = MakeLabel(parent, name, caption, left, top, width, height);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left, int top,
                        int width, int height) {
    return Place(new QPushButton(caption, parent), name, left, top, width, height);
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& caption, int left, int top,
                        int width, int height) {
    return Place(new QCheckBox(caption, parent), name, left, top, width, height);
}

// Accessible names of the pending-DR buttons, whose captions are only the DR.
const QString kAdvanceName = QStringLiteral("Advance movement DR");
const QString kHoldOddName = QStringLiteral("Hold movement DR, odd hexes");
const QString kHoldEvenName = QStringLiteral("Hold movement DR, even hexes");

} // namespace

Form9::Form9(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Actions"));
    BuildControls();
    Form_Load();
}

void Form9::BuildControls() {
    // Sizes are in twips. The result labels are wide and tall enough for the longest shipped texts in
    // their large font, so no command is ever cut off.
    setFixedSize(Twips(10140), Twips(7020));
    const QFont large = SansSerif(12, false);

    HoldLB = MakeLabel(this, "HoldLB", QString(), 120, 120, 4560, 285);
    Label10 = MakeTextLabel(this, "Label10", QString(), 120, 420, 4560, 1560);
    AdvanceLB = MakeLabel(this, "AdvanceLB", QString(), 120, 2040, 4560, 285);
    Label11 = MakeTextLabel(this, "Label11", QString(), 120, 2340, 4560, 1560);
    for (QLabel* heading : {HoldLB, AdvanceLB}) {
        heading->setFont(Bold(heading->font()));
    }
    for (QLabel* result : {Label10, Label11}) {
        result->setFont(large);
    }

    InfActionBtn =
        MakeButton(this, "InfActionBtn", QStringLiteral("I&nfantry Actions"), 4800, 120, 1620, 495);
    AFVGunBtn = MakeButton(this, "AFVGunBtn", QStringLiteral("A&FV Actions"), 6480, 120, 1440, 495);
    Label2 = MakeLabel(this, "Label2", QString(), 4800, 675, 3120, 285);
    Label3 = MakeTextLabel(this, "Label3", QStringLiteral("(Possible unit Panic)"), 4800, 975, 3120, 1050);

    Frame3 = Place(new QGroupBox(QStringLiteral("Fire Commands"), this), "Frame3", 4800, 2100, 3120, 2280);
    Label6 = MakeLabel(Frame3, "Label6", QString(), 120, 330, 480, 345);
    Label7 = MakeLabel(Frame3, "Label7", QString(), 120, 810, 480, 345);
    Label8 = MakeLabel(Frame3, "Label8", QString(), 120, 1290, 480, 345);
    Label9 = MakeLabel(Frame3, "Label9", QString(), 120, 1770, 480, 345);
    markers_ = {Label6, Label7, Label8, Label9};
    for (QLabel* marker : markers_) {
        marker->setFont(SansSerif(12, true));
        QPalette palette = marker->palette();
        palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        marker->setPalette(palette);
    }
    IFTAttackBtn = MakeButton(Frame3, "IFTAttackBtn", QStringLiteral("IF&T Attack"), 660, 300, 2280, 405);
    LATWAttackBtn = MakeButton(Frame3, "LATWAttackBtn", QStringLiteral("&LATW Attack"), 660, 780, 2280, 405);
    OrdVsVehAttackBtn =
        MakeButton(Frame3, "OrdVsVehAttackBtn", QStringLiteral("Ord. vs. &Veh."), 660, 1260, 2280, 405);
    OrdVsInfAttackBtn =
        MakeButton(Frame3, "OrdVsInfAttackBtn", QStringLiteral("&Ord. vs. Inf."), 660, 1740, 2280, 405);
    AssumeIFTAttackCB =
        MakeCheckBox(this, "AssumeIFTAttackCB", QStringLiteral("Assume IFT Attac&k"), 4800, 4440, 3120, 315);
    AssumeIFTAttackCB->setChecked(true);

    // The DR pyramid: 7 on top, then the pairs 6 and 8 down to 2 and 12.
    const int left = 8100, right = 8760, middle = 8430, width = 600, height = 405, step = 480;
    DR7Btn = MakeButton(this, "DR7Btn", QStringLiteral("&7"), middle, 120, width, height);
    DR6Btn = MakeButton(this, "DR6Btn", QStringLiteral("&6"), left, 120 + step, width, height);
    DR8Btn = MakeButton(this, "DR8Btn", QStringLiteral("&8"), right, 120 + step, width, height);
    DR5Btn = MakeButton(this, "DR5Btn", QStringLiteral("&5"), left, 120 + 2 * step, width, height);
    DR9Btn = MakeButton(this, "DR9Btn", QStringLiteral("&9"), right, 120 + 2 * step, width, height);
    DR4Btn = MakeButton(this, "DR4Btn", QStringLiteral("&4"), left, 120 + 3 * step, width, height);
    DR10Btn = MakeButton(this, "DR10Btn", QStringLiteral("1&0"), right, 120 + 3 * step, width, height);
    DR3Btn = MakeButton(this, "DR3Btn", QStringLiteral("&3"), left, 120 + 4 * step, width, height);
    DR11Btn = MakeButton(this, "DR11Btn", QStringLiteral("1&1"), right, 120 + 4 * step, width, height);
    DR2Btn = MakeButton(this, "DR2Btn", QStringLiteral("&2"), left, 120 + 5 * step, width, height);
    DR12Btn = MakeButton(this, "DR12Btn", QStringLiteral("12"), right, 120 + 5 * step, width, height);
    // Every DR has its key with Alt: 2 to 9 their digit, 10 its 0 and 11 its second 1. 12 has no digit
    // left that is not another DR's, so it takes the twelfth key of the row of digits, after 0 and minus;
    // its tooltip names it. The key, like the button, works only in manual die-roll mode.
    auto* twelve = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Equal), DR12Btn);
    twelve->setObjectName(QStringLiteral("DR12Key"));
    connect(twelve, &QShortcut::activated, DR12Btn, &QPushButton::animateClick);
    DR12Btn->setToolTip(twelve->key().toString(QKeySequence::NativeText));
    drButtons_ = {DR2Btn, DR3Btn, DR4Btn, DR5Btn, DR6Btn, DR7Btn, DR8Btn, DR9Btn, DR10Btn, DR11Btn, DR12Btn};
    ManualDieRollCB =
        MakeCheckBox(this, "ManualDieRollCB", QStringLiteral("&Manual Die Roll"), 8040, 3060, 1980, 315);

    Frame2 = Place(new QGroupBox(QStringLiteral("Movement Commands"), this), "Frame2", 120, 4920, 5400, 1980);
    Command4 = MakeButton(Frame2, "Command4", QStringLiteral("&AFV Move"), 120, 360, 1500, 495);
    InfantryMoveBtn =
        MakeButton(Frame2, "InfantryMoveBtn", QStringLiteral("&Infantry Move"), 120, 1320, 1500, 495);
    Label12 = MakeLabel(Frame2, "Label12", QStringLiteral("Advance"), 1800, 600, 1080, 255);
    Label1 = MakeLabel(Frame2, "Label1", QStringLiteral("Hold"), 3000, 300, 2160, 255);
    Label4 = MakeLabel(Frame2, "Label4", QStringLiteral("Odd"), 3000, 600, 1020, 255);
    Label5 = MakeLabel(Frame2, "Label5", QStringLiteral("Even"), 4080, 600, 1020, 255);
    for (QLabel* heading : {Label12, Label1, Label4, Label5}) {
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    }
    AdvanceBtn = MakeButton(Frame2, "AdvanceBtn", QString(), 1800, 900, 1080, 495);
    HoldOddBtn = MakeButton(Frame2, "HoldOddBtn", QString(), 3000, 900, 1020, 495);
    HoldEvenBtn = MakeButton(Frame2, "HoldEvenBtn", QString(), 4080, 900, 1020, 495);
    AdvanceBtn->setAccessibleName(kAdvanceName);
    HoldOddBtn->setAccessibleName(kHoldOddName);
    HoldEvenBtn->setAccessibleName(kHoldEvenName);
    for (QPushButton* pending : {AdvanceBtn, HoldOddBtn, HoldEvenBtn}) {
        pending->setFont(Bold(pending->font()));
    }
    ActivateMoveButtonCB = MakeCheckBox(Frame2, "ActivateMoveButtonCB",
                                        QStringLiteral("A&ctivate Move Button"), 1800, 1500, 3300, 315);

    Frame1 =
        Place(new QGroupBox(QStringLiteral("Movement Direction"), this), "Frame1", 5640, 4920, 4380, 1980);
    DirectionBtn = MakeButton(Frame1, "DirectionBtn", QStringLiteral("&Direction"), 120, 360, 1500, 495);
    DirectionLB = MakeLabel(Frame1, "DirectionLB", QString(), 120, 960, 1500, 285);
    Image1 = MakeDirectionImage(Frame1, "Image1", 1800, 270, 2460, 1590);

    connect(InfActionBtn, &QPushButton::clicked, this, &Form9::InfActionBtn_Click);
    connect(AFVGunBtn, &QPushButton::clicked, this, &Form9::AFVGunBtn_Click);
    connect(IFTAttackBtn, &QPushButton::clicked, this, &Form9::IFTAttackBtn_Click);
    connect(LATWAttackBtn, &QPushButton::clicked, this, &Form9::LATWAttackBtn_Click);
    connect(OrdVsVehAttackBtn, &QPushButton::clicked, this, &Form9::OrdVsVehAttackBtn_Click);
    connect(OrdVsInfAttackBtn, &QPushButton::clicked, this, &Form9::OrdVsInfAttackBtn_Click);
    for (int dr = 2; dr <= 12; ++dr) {
        connect(drButtons_[static_cast<std::size_t>(dr - 2)], &QPushButton::clicked, this,
                [this, dr] { DRBtn_Click(dr); });
    }
    connect(ManualDieRollCB, &QCheckBox::toggled, this, &Form9::ManualDieRollCB_Click);
    connect(Command4, &QPushButton::clicked, this, &Form9::Command4_Click);
    connect(InfantryMoveBtn, &QPushButton::clicked, this, &Form9::InfantryMoveBtn_Click);
    connect(AdvanceBtn, &QPushButton::clicked, this, &Form9::AdvanceBtn_Click);
    connect(HoldOddBtn, &QPushButton::clicked, this, &Form9::HoldOddBtn_Click);
    connect(HoldEvenBtn, &QPushButton::clicked, this, &Form9::HoldEvenBtn_Click);
    connect(ActivateMoveButtonCB, &QCheckBox::toggled, this, &Form9::ActivateMoveButtonCB_Click);
    connect(DirectionBtn, &QPushButton::clicked, this, &Form9::DirectionBtn_Click);
}

void Form9::Form_Load() {
    ShowDirectionPicture(Image1);
    EnableDRButtons(false);
    EnableIfCaptioned(AdvanceBtn);
    EnableIfCaptioned(HoldOddBtn);
    EnableIfCaptioned(HoldEvenBtn);
}

void Form9::EnableIfCaptioned(QPushButton* button) {
    button->setEnabled(!button->text().isEmpty());
}

void Form9::Show(const actions::Panel& panel) {
    const auto set = [](QLabel* label, const std::optional<std::string>& text) {
        if (text) {
            ui::ShowResult(*label, ui::DisplayText(*text));
        }
    };
    set(HoldLB, panel.upperHeading);
    set(Label10, panel.upperText);
    set(AdvanceLB, panel.lowerHeading);
    set(Label11, panel.lowerText);
}

void Form9::SetPendingDR(QPushButton* button, const QString& name, int dr) {
    button->setText(QString::number(dr));
    button->setAccessibleName(name + QLatin1Char(' ') + button->text());
}

void Form9::AnnounceResult(const std::string& heading, const QLabel* text) {
    actions::AnnounceResult(actions::ResultSentence(heading, ui::FromQt(text->text())));
}

void Form9::InfantryMoveBtn_Click() {
    const actions::InfantryMoveDRs drs = actions::RollInfantryMove();
    SetPendingDR(HoldOddBtn, kHoldOddName, drs.holdOdd);
    SetPendingDR(HoldEvenBtn, kHoldEvenName, drs.holdEven);
    SetPendingDR(AdvanceBtn, kAdvanceName, drs.advance);
    EnableIfCaptioned(AdvanceBtn);
    EnableIfCaptioned(HoldOddBtn);
    EnableIfCaptioned(HoldEvenBtn);
    {
        // The box's handler must run also when the box is checked already, when Qt reports no change.
        const QSignalBlocker quiet(ActivateMoveButtonCB);
        ActivateMoveButtonCB->setChecked(true);
    }
    ActivateMoveButtonCB_Click();
    InfantryMoveBtn->setEnabled(false);
    actions::LogShown(actions::kActionsScreen, "Infantry Move",
                      {"Advance DR = " + std::to_string(drs.advance) + ", Hold Odd DR = " +
                       std::to_string(drs.holdOdd) + ", Hold Even DR = " + std::to_string(drs.holdEven)});
    actions::AnnounceResult(actions::InfantryMoveSentence(
        ui::FromQt(HoldOddBtn->text()), ui::FromQt(HoldEvenBtn->text()), ui::FromQt(AdvanceBtn->text())));
}

void Form9::ShowPendingCommand(const char* what, QPushButton* button, actions::Panel (*command)(int)) {
    const int dr = actions::CaptionDR(ui::FromQt(button->text()));
    const actions::Panel panel = command(dr);
    Show(panel);
    actions::LogShown(actions::kActionsScreen, what + std::to_string(dr), {}, panel);
}
void Form9::HoldOddBtn_Click() {
    ShowPendingCommand("Hold Odd DR = ", HoldOddBtn, &actions::HoldOddCommand);
    AnnounceResult("Hold movement, odd hexes", Label10);
}
void Form9::HoldEvenBtn_Click() {
    ShowPendingCommand("Hold Even DR = ", HoldEvenBtn, &actions::HoldEvenCommand);
    AnnounceResult("Hold movement, even hexes", Label11);
}
void Form9::AdvanceBtn_Click() {
    ShowPendingCommand("Advance DR = ", AdvanceBtn, &actions::AdvanceCommand);
    AnnounceResult("Advance movement", Label10);
}

void Form9::Command4_Click() {
    const actions::Panel panel = actions::VehicleMove();
    Show(panel);
    actions::LogShown(actions::kActionsScreen, "AFV Move", {}, panel);
    AnnounceResult("Vehicle movement", Label10);
}

void Form9::ActivateMoveButtonCB_Click() {
    InfantryMoveBtn->setEnabled(!ActivateMoveButtonCB->isChecked());
}

void Form9::DirectionBtn_Click() {
    RollDirection(DirectionLB, Image1);
    actions::LogShown(actions::kActionsScreen, "Direction", {ui::FromQt(DirectionLB->text())});
    actions::AnnounceResult(actions::RollWords(ui::FromQt(DirectionLB->text())));
}

void Form9::UnitActionRoll(const char* what) {
    const actions::UnitActions result = actions::RollUnitActions(AssumeIFTAttackCB->isChecked());
    ui::ShowResult(*Label2, ui::ToQt(result.actionDR));
    ui::ShowResult(*Label3, ui::DisplayText(result.panic));
    Show(result.panel);
    actions::LogShown(actions::kActionsScreen, what, {result.actionDR, result.panic}, result.panel);
    actions::AnnounceResult(
        actions::UnitActionsSentence(ui::FromQt(Label2->text()), ui::FromQt(Label3->text()),
                                     ui::FromQt(Label10->text()), ui::FromQt(Label11->text())));
}
void Form9::InfActionBtn_Click() {
    UnitActionRoll("Infantry Actions");
}
void Form9::AFVGunBtn_Click() {
    UnitActionRoll("AFV Actions");
}

void Form9::FireButton_Click(Attack attack) {
    if (ManualDieRollCB->isChecked()) {
        // Choosing the list of a manual DR rolls nothing; the DR button's result is logged.
        Show(manual_.Select(attack));
        ShowMarkers();
        AnnounceResult(std::string(actions::AttackHeading(attack)) + " selected", Label10);
    } else {
        const actions::Panel panel = actions::FireCommand(attack);
        Show(panel);
        // The panel's heading names the attack.
        actions::LogShown(actions::kActionsScreen, "", {}, panel);
        AnnounceResult(actions::AttackHeading(attack), Label10);
    }
}
void Form9::IFTAttackBtn_Click() {
    FireButton_Click(Attack::IFT);
}
void Form9::LATWAttackBtn_Click() {
    FireButton_Click(Attack::LATW);
}
void Form9::OrdVsVehAttackBtn_Click() {
    FireButton_Click(Attack::OrdnanceVsVehicle);
}
void Form9::OrdVsInfAttackBtn_Click() {
    FireButton_Click(Attack::OrdnanceVsInfantry);
}

void Form9::ManualDieRollCB_Click() {
    const actions::Panel shown = manual_.Switch(ManualDieRollCB->isChecked());
    EnableDRButtons(manual_.DRButtonsEnabled());
    ShowMarkers();
    Show(shown);
}

void Form9::EnableDRButtons(bool setValue) {
    for (QPushButton* button : drButtons_) {
        button->setEnabled(setValue);
    }
}

void Form9::ShowMarkers() {
    const std::array<std::string, 4> markers = manual_.Markers();
    for (std::size_t i = 0; i < markers_.size(); ++i) {
        markers_[i]->setText(ui::ToQt(markers[i]));
    }
}

void Form9::DRBtn_Click(int dr) {
    const actions::Panel panel = manual_.Result(dr);
    Show(panel);
    // A DR the player rolled with real dice must not pass for one the program rolled.
    actions::LogShown(actions::kActionsScreen,
                      std::string("Manual Die Roll, ") + actions::AttackHeading(manual_.Selected()) +
                          ", DR = " + std::to_string(dr),
                      {}, panel);
    AnnounceResult(std::string(actions::AttackHeading(manual_.Selected())) + ", DR " + std::to_string(dr),
                   Label10);
}

void Form9::LookUp(Attack attack, int dr) {
    const actions::Panel panel = actions::AttackLookUp(attack, dr);
    Show(panel);
    actions::LogShown(actions::kActionsScreen,
                      std::string("Manual Die Roll, ") + actions::AttackHeading(attack) +
                          ", DR = " + std::to_string(dr),
                      {}, panel);
    AnnounceResult(std::string(actions::AttackHeading(attack)) + ", DR " + std::to_string(dr), Label10);
}

} // namespace dorva
