#include "activation/gui/ActivationScreen.h"

#include "activation/ActivationRoll.h"
#include "activation/Listings.h"
#include "activation/SpecialForces.h"
#include "activation/UnitDetermination.h"
#include "data/State.h"
#include "platform/Seams.h"
#include "setup/State.h"
#include "ui/Controls.h"
#include "ui/NewResult.h"
#include "ui/TableViewer.h"
#include "ui/Text.h"
#include "ui/Windows.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QWhatsThis>

#include <algorithm>

namespace dorva {
namespace {

using ui::MakeLabel;
using ui::Place;
using ui::Twips;

const QStringList kClassEntries = {QStringLiteral("Conscript/Green Only"), QStringLiteral("2nd Line Only"),
                                   QStringLiteral("1st Line Only"), QStringLiteral("Elite Only"),
                                   QStringLiteral("All Unit Classes")};
const QStringList kSpecialForceEntries = {QStringLiteral("Any Class But Special Forces"),
                                          QStringLiteral("Special Forces")};

} // namespace

Form2::Form2(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Activation"));
    BuildControls();
    BuildMenu();
    activation::SetActivationView(this);
    Form_Load();
}

Form2::~Form2() {
    if (activation::CurrentActivationView() == this) {
        activation::SetActivationView(nullptr);
    }
}

void Form2::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(Twips(8130), Twips(6570));
    setCentralWidget(client);

    ActiviondrBtn = Place(new QPushButton(QStringLiteral("&Activation dr*"), client), "ActiviondrBtn", 120,
                          120, 1320, 615);

    Label2 = MakeLabel(client, "Label2", QStringLiteral("DR"), 1560, 120, 600, 255);
    Label6 = MakeLabel(client, "Label6", QStringLiteral("+"), 2160, 420, 240, 360);
    Label3 = MakeLabel(client, "Label3", QStringLiteral("Modifiers"), 2400, 120, 960, 255);
    Label7 = MakeLabel(client, "Label7", QStringLiteral("="), 3360, 420, 240, 360);
    Label4 = MakeLabel(client, "Label4", QStringLiteral("Final DR"), 3600, 120, 840, 255);
    Label5 = MakeLabel(client, "Label5", QStringLiteral("AC#"), 4500, 120, 720, 255);
    Label8 = MakeLabel(client, "Label8", QString(), 1560, 420, 600, 360);
    Label9 = MakeLabel(client, "Label9", QString(), 2400, 420, 960, 360);
    Label10 = MakeLabel(client, "Label10", QString(), 3600, 420, 840, 360);
    Combo1 = Place(new QComboBox(client), "Combo1", 4500, 420, 720, 315);
    ui::NameList(*Combo1, QStringLiteral("AC number"));

    Label11 = MakeLabel(client, "Label11", QString(), 120, 900, 5040, 600);
    Label11->setWordWrap(true);
    for (QLabel* display : {Label8, Label9, Label10, Label11}) {
        display->setFont(ui::SansSerif(12, true)); // the roll displays stand out
    }
    // The displays are read by what they show; their descriptions say what that is, which a sighted
    // player takes from the headings above them.
    Label8->setAccessibleDescription(QStringLiteral("DR"));
    Label9->setAccessibleDescription(QStringLiteral("Modifiers"));
    Label10->setAccessibleDescription(QStringLiteral("Final DR"));
    Label11->setAccessibleDescription(QStringLiteral("Result of the activation roll"));

    Check1 = Place(new QCheckBox(QStringLiteral("&Just roll AC dr for me."), client), "Check1", 120, 1560,
                   2640, 315);
    AttitudeDL = Place(new QComboBox(client), "AttitudeDL", 2880, 1560, 2280, 315);
    ui::NameList(*AttitudeDL, QStringLiteral("Attitude"));

    Frame1 = Place(new QGroupBox(QStringLiteral("AC drms"), client), "Frame1", 120, 1980, 5040, 2460);
    AdjVpoCB =
        Place(new QCheckBox(QStringLiteral("-1: in/ADJ to &VPO"), Frame1), "AdjVpoCB", 120, 300, 2880, 285);
    StoneBuildingCB = Place(new QCheckBox(QStringLiteral("-1: in &stone builiding"), Frame1),
                            "StoneBuildingCB", 120, 600, 2880, 285);
    UnitsNearByCB = Place(new QCheckBox(QStringLiteral("-1: >0 units &w/i 2 hexes"), Frame1), "UnitsNearByCB",
                          120, 900, 2880, 285);
    HeightDL = Place(new QComboBox(Frame1), "HeightDL", 120, 1260, 2880, 315);
    TerrainDL = Place(new QComboBox(Frame1), "TerrainDL", 120, 1680, 2880, 315);
    ui::NameList(*HeightDL, QStringLiteral("Height difference"));
    ui::NameList(*TerrainDL, QStringLiteral("Terrain"));
    ClearModifiersBtn = Place(new QPushButton(QStringLiteral("&Clear Modifiers*"), Frame1),
                              "ClearModifiersBtn", 3180, 300, 1740, 495);
    AutoClearCB = Place(new QCheckBox(QStringLiteral("A&uto clear after AC dr"), Frame1), "AutoClearCB", 120,
                        2100, 3600, 285);

    Label12 = MakeLabel(client, "Label12", QString(), 5280, 120, 2730, 255);
    Label1 = MakeLabel(client, "Label1", QString(), 5280, 420, 2730, 2580);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    Label1->setWhatsThis(QStringLiteral(
        "The units that the suspect counter turns out to be, one line per unit. With \"See roll outcomes\" "
        "on, each line ends with the table and the dice that chose it."));
    Label1->installEventFilter(this);
    Label1->setAccessibleDescription(QStringLiteral("Activated units"));
    ManualActivation = Place(new QPushButton(QStringLiteral("&Manual Activation*"), client),
                             "ManualActivation", 5280, 3060, 2730, 420);
    Label14 = MakeLabel(client, "Label14", QStringLiteral("Special Force Usage"), 5280, 3540, 2730, 540);
    Label14->setWordWrap(true);
    Label14->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SpecialForcesDL = Place(new QComboBox(client), "SpecialForcesDL", 5280, 4140, 2730, 315);
    // Named after the caption its line shows until the nationality's special forces replace it.
    ui::NameList(*SpecialForcesDL, QStringLiteral("Special force usage"));
    ui::FitList(*SpecialForcesDL, kClassEntries + kSpecialForceEntries);

    MissionParametersTB = MakeLabel(client, "MissionParametersTB", QString(), 120, 4560, 7890, 285);
    Label13 = MakeLabel(client, "Label13", QString(), 120, 4920, 7890, 1530);
    Label13->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label13->setWordWrap(true);

    connect(ActiviondrBtn, &QPushButton::clicked, this, &Form2::ActiviondrBtn_Click);
    connect(ManualActivation, &QPushButton::clicked, this, &Form2::ManualActivation_Click);
    connect(ClearModifiersBtn, &QPushButton::clicked, this, &Form2::ClearModifiersBtn_Click);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form2::Combo1_Click);
    connect(AttitudeDL, &QComboBox::currentIndexChanged, this, &Form2::AttitudeDL_Click);
    connect(HeightDL, &QComboBox::currentIndexChanged, this, &Form2::HeightDL_Click);
    connect(TerrainDL, &QComboBox::currentIndexChanged, this, &Form2::TerrainDL_Click);
    connect(SpecialForcesDL, &QComboBox::currentIndexChanged, this, &Form2::SpecialForcesDL_Click);
    connect(AdjVpoCB, &QCheckBox::toggled, this, &Form2::AdjVpoCB_Click);
    connect(StoneBuildingCB, &QCheckBox::toggled, this, &Form2::StoneBuildingCB_Click);
    connect(UnitsNearByCB, &QCheckBox::toggled, this, &Form2::UnitsNearByCB_Click);
    connect(Check1, &QCheckBox::toggled, this, &Form2::Check1_Click);
    connect(AutoClearCB, &QCheckBox::toggled, this, &Form2::AutoClearCB_Click);
}

void Form2::BuildMenu() {
    mnuTables = menuBar()->addMenu(QStringLiteral("&Tables"));
    mnuTables->setObjectName(QStringLiteral("mnuTables"));
    const auto item = [this](const char* name, const QString& caption, void (Form2::*handler)()) {
        QAction* action = mnuTables->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mneSquad = item("mneSquad", QStringLiteral("&Squad/Half Squad"), &Form2::mneSquad_Click);
    mneLeader = item("mneLeader", QStringLiteral("&Leader"), &Form2::mneLeader_Click);
    mneSW = item("mneSW", QStringLiteral("Support &Weapons"), &Form2::mneSW_Click);
    mneAFV = item("mneAFV", QStringLiteral("&AFVs"), &Form2::mneAFV_Click);
    mneGunsInside = item("mneGunsInside", QStringLiteral("Guns &Inside"), &Form2::mneGunsInside_Click);
    mneGunsOutside = item("mneGunsOutside", QStringLiteral("Guns &Outside"), &Form2::mneGunsOutside_Click);
    mneSPG = item("mneSPG", QStringLiteral("SP&Gs"), &Form2::mneSPG_Click);
}

void Form2::Form_Load() {
    platform::SeedGenerator();
    activation::acDieRoll.reset();

    // Filling a list selects nothing by itself; each list then takes its selection, and its change
    // handling runs also where the selection equals the one the filling left.
    const auto fill = [](QComboBox* list, const QStringList& entries) {
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(entries);
        list->setCurrentIndex(-1);
    };

    // The AC list follows gACNumber; while the screen is not shown its selection leaves it alone.
    fill(Combo1, {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
    Combo1->setCurrentIndex(0);
    Combo1->setCurrentIndex(setup::gACNumber - 2);

    Check1->setChecked(activation::gShowActivation != 0);
    Check1_Click();
    // The auto-clear box shows the value that stays in force, like the just-roll box, so that
    // auto-clear never works behind an unchecked box after the screen is opened again.
    AutoClearCB->setChecked(activation::gAutoClear);
    AutoClearCB_Click();

    fill(AttitudeDL, {QStringLiteral("Hold Attitude"), QStringLiteral("Advance Attitude")});
    AttitudeDL->setCurrentIndex(setup::gAttitude);

    fill(HeightDL, {QStringLiteral("Same level"), QStringLiteral("One Level"), QStringLiteral("Two Levels"),
                    QStringLiteral("Three Levels"), QStringLiteral("Four Levels")});
    HeightDL->setCurrentIndex(0);
    fill(TerrainDL, {QStringLiteral("Open"), QStringLiteral("Village (19-49 buildings)"),
                     QStringLiteral("City (=>50 buildings)")});
    TerrainDL->setCurrentIndex(0);
    // The three boxes start unchecked; the modifier table equals the controls from the start.
    AdjVpoCB_Click();
    StoneBuildingCB_Click();
    UnitsNearByCB_Click();

    fill(SpecialForcesDL, kClassEntries);
    SpecialForcesDL->setCurrentIndex(activation::kAllUnitClasses);
}

void Form2::TakeScenarioParameters() {
    const auto select = [](QComboBox* list, int position) {
        if (position >= 0 && position < list->count()) {
            const QSignalBlocker quiet(list);
            list->setCurrentIndex(position);
        }
    };
    // The lists take the values quietly; their handlers then run once, as for a change by the player.
    select(Combo1, setup::gACNumber - 2);
    Combo1_Click();
    select(AttitudeDL, setup::gAttitude);
    AttitudeDL_Click();
}

void Form2::ShowScenarioTitle(const QString& title) {
    MissionParametersTB->setText(title);
    setWindowTitle(QStringLiteral("Activation ") + title);
}

bool Form2::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate) {
        Form_Activate();
    }
    return handled;
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            QWhatsThis::showText(mouse->globalPosition().toPoint(), Label1->whatsThis(), Label1);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form2::Form_Activate() {
    if (!activation::NeedsNationalityRefresh()) {
        return;
    }
    ShowScenarioNotes();
    {
        const QSignalBlocker blocker(SpecialForcesDL);
        const int selected = SpecialForcesDL->currentIndex();
        while (SpecialForcesDL->count() > kClassEntries.size()) {
            SpecialForcesDL->removeItem(SpecialForcesDL->count() - 1);
        }
        // A removed entry leaves the list without a selection.
        if (selected >= SpecialForcesDL->count()) {
            SpecialForcesDL->setCurrentIndex(-1);
        }
    }
    activation::DetermineSpecialForces();
    if (activation::hasSpecialForces == 1) {
        const QSignalBlocker blocker(SpecialForcesDL);
        SpecialForcesDL->addItems(kSpecialForceEntries);
    }
    activation::MarkNationalityApplied();
}

void Form2::ShowScenarioNotes() {
    ui::ShowFitted(*Label13, DisplayText(activation::ScenarioNotesText()));
}

QString Form2::DisplayText(const std::string& text) {
    return ui::DisplayText(text);
}

void Form2::ShowResultLine(const std::string& text, int red, int green, int blue) {
    QPalette palette = Label11->palette();
    palette.setColor(QPalette::WindowText, QColor(red, green, blue));
    Label11->setPalette(palette);
    ui::ShowResult(*Label11, ui::ToQt(text));
}

void Form2::ShowUnits(const std::string& units) {
    // Six units with their rolls, or a gun's two lines, fill the space: the text shrinks rather than lose
    // its last units. A roll such as "(x2 DR=4/4)" is read as one, so its blanks do not break.
    QString shown = DisplayText(units);
    int depth = 0;
    for (QChar& c : shown) {
        if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            depth = std::max(0, depth - 1);
        } else if (depth > 0 && c == QLatin1Char(' ')) {
            c = QChar(QChar::Nbsp);
        }
    }
    ui::ShowResult(*Label1, shown, true);
}

void Form2::ShowSuspectActivated() {
    ShowResultLine(activation::kActivated, 0, 0, 0);
    activation::ShowA1DieRoll(activation::a1Text);
    ShowUnits(activation::gTempDisplayUnits);
}

void Form2::ShowSuspectRemoved() {
    ShowResultLine(activation::kRemoved, 0, 0, 0);
    activation::ShowA1DieRoll(std::string());
    Label1->clear();
}

void Form2::ActiviondrBtn_Click() {
    using activation::Outcome;
    const Outcome outcome = activation::RollActivation();
    ui::ShowResult(*Label8, QString::number(*activation::acDieRoll));
    Label1->clear();
    ui::ShowResult(*Label10, QString::number(activation::finalDieRoll));

    const activation::Rgb colour = activation::ResultColour(outcome);
    switch (outcome) {
    case Outcome::AutomaticallyRemoved:
        ShowResultLine(activation::ResultText(outcome), colour.red, colour.green, colour.blue);
        activation::ShowA1DieRoll(std::string());
        break;
    case Outcome::AutomaticallyActivated:
        ShowResultLine(activation::ResultText(outcome), colour.red, colour.green, colour.blue);
        if (activation::gShowActivation == 0) {
            ShowUnits(activation::gTempDisplayUnits);
        }
        break;
    case Outcome::Activated:
        if (activation::gShowActivation == 0) {
            ShowSuspectActivated();
        } else {
            // Just rolling: the result line says the counter is activated, and the unit stays off
            // the screen as it does for a natural 1.
            ShowResultLine(activation::kActivated, 0, 0, 0);
        }
        break;
    case Outcome::Removed:
        ShowSuspectRemoved();
        break;
    }

    activation::AnnounceActivation(outcome, ui::FromQt(Label11->text()));
    if (activation::gAutoClear) {
        ClearModifiersBtn_Click();
    }
}

void Form2::ManualActivation_Click() {
    ShowUnits(activation::ManualActivation());
}

void Form2::ClearModifiersBtn_Click() {
    // Clearing (the button, the voice command or auto-clear after a roll) makes the controls ready for the
    // next roll and leaves the shown result alone. Re-evaluating there would contradict an outcome that was
    // just spoken, logged and sent to the VASL window, and would show the units a player who only wants the
    // roll asked not to see. A change of one modifier by the player still re-evaluates the last roll. The
    // terrain stays as chosen.
    const bool wasClearing = clearing_;
    clearing_ = true;
    HeightDL->setCurrentIndex(0);
    AdjVpoCB->setChecked(false);
    StoneBuildingCB->setChecked(false);
    UnitsNearByCB->setChecked(false);
    clearing_ = wasClearing;
}

void Form2::ModifierChanged(int index, std::int16_t value) {
    data::gModifierTable[static_cast<std::size_t>(index)] = value;
    const int total = activation::TotalModifiers();
    Label9->setText(ui::ToQt(activation::ModifiersText(total)));
    Label10->setText(QString::number(total + activation::acDieRoll.value_or(0)));
    if (clearing_) {
        return;
    }
    if (const auto outcome = activation::Reevaluate()) {
        if (*outcome == activation::Outcome::Activated) {
            ShowSuspectActivated();
        } else {
            ShowSuspectRemoved();
        }
    }
}

void Form2::AdjVpoCB_Click() {
    ModifierChanged(activation::kAdjVpo, activation::CheckModifier(AdjVpoCB->isChecked()));
}
void Form2::StoneBuildingCB_Click() {
    ModifierChanged(activation::kStoneBuilding, activation::CheckModifier(StoneBuildingCB->isChecked()));
}
void Form2::UnitsNearByCB_Click() {
    ModifierChanged(activation::kUnitsNearBy, activation::CheckModifier(UnitsNearByCB->isChecked()));
}
void Form2::HeightDL_Click() {
    ModifierChanged(activation::kHeight, activation::HeightModifier(HeightDL->currentIndex()));
}
void Form2::TerrainDL_Click() {
    ModifierChanged(activation::kTerrain, activation::TerrainModifier(TerrainDL->currentIndex()));
}

void Form2::Combo1_Click() {
    if (isVisible() && Combo1->currentIndex() >= 0) {
        setup::gACNumber = Combo1->currentIndex() + 2;
    }
}

void Form2::AttitudeDL_Click() {
    if (AttitudeDL->currentIndex() >= 0) {
        setup::gAttitude = AttitudeDL->currentIndex();
    }
}

void Form2::Check1_Click() {
    activation::gShowActivation = Check1->isChecked() ? 1 : 0;
}
void Form2::AutoClearCB_Click() {
    activation::gAutoClear = AutoClearCB->isChecked();
}

void Form2::SpecialForcesDL_Click() {
    if (SpecialForcesDL->currentIndex() >= 0) {
        activation::specialForceClass = static_cast<std::int16_t>(SpecialForcesDL->currentIndex());
    }
}

void Form2::ShowA1Line(const std::string& text) {
    ui::ShowResult(*Label12, ui::ToQt(text));
}
void Form2::ShowSpecialForceLine(const std::string& text) {
    ui::ShowResult(*Label14, ui::ToQt(text), true);
}

void Form2::SelectUnitClass(int position) {
    // The unit determination has set the restriction already; the list only follows it.
    if (position < SpecialForcesDL->count()) {
        const QSignalBlocker blocker(SpecialForcesDL);
        SpecialForcesDL->setCurrentIndex(position);
    }
}

void Form2::mneSquad_Click() {
    ShowInfantry(QStringLiteral("Squad/Half Squad Table"));
}
void Form2::mneLeader_Click() {
    ShowLeaders(QStringLiteral("Infantry Leaders"));
}
void Form2::mneSW_Click() {
    ShowAFV(data::gSWTable, QStringLiteral("Support Table"));
}
void Form2::mneAFV_Click() {
    ShowAFV(data::gAFVTable, QStringLiteral("AFVs"));
}
void Form2::mneGunsInside_Click() {
    ShowAFV(data::gGunsInsideTable, QStringLiteral("Guns (Inside)"));
}
void Form2::mneGunsOutside_Click() {
    ShowAFV(data::gGunsOutsideTable, QStringLiteral("Guns (Outside)"));
}
void Form2::mneSPG_Click() {
    ShowAFV(data::gSPGTable, QStringLiteral("SPGs"));
}

void Form2::ShowInfantry(const QString& theCaption) {
    ShowListing(theCaption, activation::ShowInfantry());
}
void Form2::ShowLeaders(const QString& theCaption) {
    ShowListing(theCaption, activation::ShowLeaders());
}
void Form2::ShowAFV(const data::ListTable& whichTable, const QString& theCaption) {
    ShowListing(theCaption, activation::ShowAFV(whichTable, ui::FromQt(theCaption)));
}

void Form2::ShowListing(const QString& theCaption, const std::string& listing) {
    Form3& viewer = ui::Window<Form3>();
    viewer.ShowListing(theCaption, DisplayText(listing));
    ui::ShowWindow(viewer);
}

} // namespace dorva
