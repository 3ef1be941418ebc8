#include "setup/gui/SetupScreen.h"

#include "data/Announce.h"
#include "data/Messages.h"
#include "data/State.h"
#include "platform/Seams.h"
#include "setup/GameRecord.h"
#include "setup/NationalityList.h"
#include "setup/Scenario.h"
#include "setup/Settings.h"
#include "setup/Startup.h"
#include "setup/State.h"
#include "setup/gui/UserSettings.h"
#include "ui/Controls.h"
#include "ui/Screens.h"
#include "ui/Text.h"
#include "ui/Windows.h"
#include "voice/SpeechSetup.h"
#include "voice/State.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace dorva {
namespace {

const char* const kLogFileFilter = "DORVA Log Files (*.txt) | *.txt";
const char* const kWakeWordNotice = "(Dorva is listening: say the command.)";

// Selects a position as the program does: the list's handler runs once, whether or not the position
// changed (Qt stays silent when it does not). A position the list does not have selects its first
// entry, so that a damaged setting cannot leave a list without a choice.
void SelectPosition(QComboBox* list, int position, Form1* form, void (Form1::*handler)()) {
    if (position < 0 || position >= list->count()) {
        position = list->count() > 0 ? 0 : -1;
    }
    {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(position);
    }
    if (handler) {
        (form->*handler)();
    }
}

void SetBoxValue(QCheckBox* box, int value, Form1* form, void (Form1::*handler)()) {
    {
        const QSignalBlocker quiet(box);
        box->setChecked(value != 0);
    }
    (form->*handler)();
}

void SelectOption(QRadioButton* option, Form1* form, void (Form1::*handler)()) {
    {
        const QSignalBlocker quiet(option);
        option->setChecked(true);
    }
    (form->*handler)();
}

int Checked(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}

using ui::Named;

template <std::size_t N> QStringList Entries(const std::array<const char*, N>& entries) {
    QStringList list;
    for (const char* entry : entries) {
        list << QString::fromLatin1(entry);
    }
    return list;
}

} // namespace

Form1::Form1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("DORVA II Set Up"));
    BuildControls();
    ConnectControls();
}

void Form1::BuildControls() {
    Label1 = Named(new QLabel(QStringLiteral("Enter scenario options here. Those marked with red indicate "
                                             "they may be changed or overridden in other screens."),
                              this),
                   "Label1");
    Label1->setWordWrap(true);

    EnemyComboList = Named(new QComboBox(this), "EnemyComboList");
    YearComboList = Named(new QComboBox(this), "YearComboList");
    MonthComboList = Named(new QComboBox(this), "MonthComboList");
    ACComboList = Named(new QComboBox(this), "ACComboList");
    AttitudeComboList = Named(new QComboBox(this), "AttitudeComboList");
    SeeRollsCB = Named(new QCheckBox(QStringLiteral("See roll outcomes"), this), "SeeRollsCB");
    ui::NameList(*EnemyComboList, QStringLiteral("Enemy nationality"));
    ui::NameList(*YearComboList, QStringLiteral("Year"));
    ui::NameList(*MonthComboList, QStringLiteral("Month"));
    ui::NameList(*ACComboList, QStringLiteral("AC number"));
    ui::NameList(*AttitudeComboList, QStringLiteral("Attitude"));

    QPalette red = palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label2 = Named(new QLabel(QStringLiteral("*"), this), "Label2");
    Label3 = Named(new QLabel(QStringLiteral("*"), this), "Label3");
    Label2->setPalette(red);
    Label3->setPalette(red);
    // A screen reader cannot tell red: the marks say what the red stands for.
    for (QLabel* mark : {Label2, Label3}) {
        mark->setAccessibleName(QStringLiteral("May be changed or overridden in other screens"));
    }

    Frame1 = Named(new QGroupBox(QStringLiteral("Special DRMs"), this), "Frame1");
    A1DRMCB = Named(new QComboBox(Frame1), "A1DRMCB");
    A5DRMCB = Named(new QComboBox(Frame1), "A5DRMCB");
    FortsSpecialCB = Named(new QComboBox(Frame1), "FortsSpecialCB");
    ui::NameList(*A1DRMCB, QStringLiteral("A1 modifier"));
    ui::NameList(*A5DRMCB, QStringLiteral("A5 modifier"));
    ui::NameList(*FortsSpecialCB, QStringLiteral("Forts"));
    auto* drms = new QVBoxLayout(Frame1);
    drms->addWidget(A1DRMCB);
    drms->addWidget(A5DRMCB);
    drms->addWidget(FortsSpecialCB);

    Frame4 = Named(new QGroupBox(QStringLiteral("Map Alignment"), this), "Frame4");
    HexGrainLongRB = Named(new QRadioButton(Frame4), "HexGrainLongRB");
    HexGrainShortRB = Named(new QRadioButton(Frame4), "HexGrainShortRB");
    HexGrainLongRB->setAccessibleName(QStringLiteral("Long grain"));
    HexGrainShortRB->setAccessibleName(QStringLiteral("Short grain"));
    Image1 = Named(new QLabel(Frame4), "Image1");
    Image2 = Named(new QLabel(Frame4), "Image2");
    ShowHexGrainPicture(Image1, QStringLiteral(":/pictures/hexgrain-long.svg"));
    ShowHexGrainPicture(Image2, QStringLiteral(":/pictures/hexgrain-short.svg"));
    // Without names of their own Qt would call both pictures after their frame.
    Image1->setAccessibleName(QStringLiteral("Long grain hexes"));
    Image1->setAccessibleDescription(QStringLiteral("Flat-topped hexes stacked in vertical columns"));
    Image2->setAccessibleName(QStringLiteral("Short grain hexes"));
    Image2->setAccessibleDescription(QStringLiteral("Pointy-topped hexes laid in horizontal rows"));
    auto* alignment = new QGridLayout(Frame4);
    alignment->addWidget(HexGrainLongRB, 0, 0);
    alignment->addWidget(Image1, 0, 1);
    alignment->addWidget(HexGrainShortRB, 0, 2);
    alignment->addWidget(Image2, 0, 3);

    Frame2 = Named(new QGroupBox(QStringLiteral("Log File"), this), "Frame2");
    KeepLogFileCB = Named(new QCheckBox(QStringLiteral("Keep Log File"), Frame2), "KeepLogFileCB");
    ChangeLogFileBtn = Named(new QPushButton(QStringLiteral("Change Log File"), Frame2), "ChangeLogFileBtn");
    ChangeLogFileBtn->setAutoDefault(false);
    LogEveryRollCB = Named(new QCheckBox(QStringLiteral("Log every roll"), Frame2), "LogEveryRollCB");
    Label4 = Named(new QLabel(QStringLiteral("Log File Name:"), Frame2), "Label4");
    LogFileName = Named(new QLabel(Frame2), "LogFileName");
    LogFileName->setTextFormat(Qt::PlainText);
    LogFileName->setWordWrap(true);
    auto* log = new QGridLayout(Frame2);
    log->addWidget(KeepLogFileCB, 0, 0);
    log->addWidget(ChangeLogFileBtn, 0, 1);
    log->addWidget(LogEveryRollCB, 1, 0, 1, 2);
    log->addWidget(Label4, 2, 0, 1, 2);
    log->addWidget(LogFileName, 3, 0, 1, 2);

    Frame3 = Named(new QGroupBox(QStringLiteral("Speech Recognition"), this), "Frame3");
    RecognizeCB = Named(new QCheckBox(QStringLiteral("Recognize speech"), Frame3), "RecognizeCB");
    SpeechCB = Named(new QCheckBox(QStringLiteral("Speak results"), Frame3), "SpeechCB");
    SpeechErrorsBnt = Named(new QPushButton(QStringLiteral("Speech Errors"), Frame3), "SpeechErrorsBnt");
    SpeechErrorsBnt->setAutoDefault(false);
    VoiceLessonsBtn = Named(new QPushButton(QStringLiteral("Voice Lessons"), Frame3), "VoiceLessonsBtn");
    VoiceLessonsBtn->setAutoDefault(false);
    VoiceLessonsBtn->setToolTip(
        QStringLiteral("Read out a few commands so that DORVA learns how you say the numbers"));
    WakeWordCB = Named(new QCheckBox(QStringLiteral("Commands begin with \"Dorva\""), Frame3), "WakeWordCB");
    WakeWordCB->setToolTip(
        QStringLiteral("For a noisy table: only what begins with \"Dorva\" is a command, as in "
                       "\"Dorva, activation roll\""));
    StopTalkedOverCB =
        Named(new QCheckBox(QStringLiteral("Stop speaking when I talk"), Frame3), "StopTalkedOverCB");
    StopTalkedOverCB->setToolTip(
        QStringLiteral("The voice falls silent when you talk over it, so that your command is heard; "
                       "\"repeat that\" says the result again. Switch it off if the dice or the table "
                       "cut the voice short."));
    // Nothing to switch and no errors to report until the engines have been set up.
    for (QWidget* pending : std::initializer_list<QWidget*>{RecognizeCB, SpeechCB, SpeechErrorsBnt,
                                                            VoiceLessonsBtn, WakeWordCB, StopTalkedOverCB}) {
        pending->setEnabled(false);
    }
    Label7 = Named(new QLabel(QStringLiteral("Sound Level"), Frame3), "Label7");
    Label6 = Named(new QLabel(Frame3), "Label6");
    // Up to a hundred asterisks: the display is cut at the frame's edge rather than widen the screen.
    Label6->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Label6->setMinimumWidth(ui::Twips(2400));
    Label6->setAccessibleDescription(QStringLiteral("Sound level"));
    auto* speech = new QGridLayout(Frame3);
    speech->addWidget(RecognizeCB, 0, 0);
    speech->addWidget(SpeechErrorsBnt, 0, 1);
    speech->addWidget(SpeechCB, 1, 0);
    speech->addWidget(VoiceLessonsBtn, 1, 1);
    speech->addWidget(WakeWordCB, 2, 0, 1, 2);
    speech->addWidget(StopTalkedOverCB, 3, 0, 1, 2);
    speech->addWidget(Label7, 4, 0);
    speech->addWidget(Label6, 5, 0, 1, 2);

    OKBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    OKBtn->setDefault(true);

    auto* columns = new QGridLayout;
    columns->setColumnStretch(0, 1);
    columns->setColumnStretch(1, 1);
    columns->addWidget(EnemyComboList, 0, 0);
    columns->addWidget(YearComboList, 1, 0);
    columns->addWidget(MonthComboList, 2, 0);
    columns->addWidget(Frame1, 3, 0);
    const auto marked = [](QWidget* list, QLabel* mark) {
        auto* row = new QHBoxLayout;
        row->addWidget(list, 1);
        row->addWidget(mark);
        return row;
    };
    columns->addLayout(marked(ACComboList, Label2), 0, 1);
    columns->addLayout(marked(AttitudeComboList, Label3), 1, 1);
    columns->addWidget(SeeRollsCB, 2, 1);
    columns->addWidget(Frame4, 3, 1);
    columns->addWidget(Frame2, 4, 0);
    columns->addWidget(Frame3, 4, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(OKBtn);
    bottom->addStretch(1);

    auto* screen = new QVBoxLayout(this);
    screen->addWidget(Label1);
    screen->addLayout(columns);
    screen->addLayout(bottom);
}

void Form1::ShowHexGrainPicture(QLabel* label, const QString& resource) {
    // The pictures are drawn for this screen; until they are part of the program the label stays empty.
    if (!QFile::exists(resource)) {
        return;
    }
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) {
        return;
    }
    const QSize size = renderer.defaultSize().scaled(QSize(96, 64), Qt::KeepAspectRatio);
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter);
    painter.end();
    label->setPixmap(picture);
}

void Form1::ConnectControls() {
    const auto onChange = [this](QComboBox* list, void (Form1::*handler)()) {
        connect(list, &QComboBox::currentIndexChanged, this, [this, handler] { (this->*handler)(); });
    };
    onChange(ACComboList, &Form1::ACComboList_Click);
    onChange(AttitudeComboList, &Form1::AttitudeComboList_Click);
    onChange(A1DRMCB, &Form1::A1DRMCB_Click);
    onChange(A5DRMCB, &Form1::A5DRMCB_Click);
    onChange(FortsSpecialCB, &Form1::FortsSpecialCB_Click);

    connect(HexGrainLongRB, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            HexGrainLongRB_Click();
        }
    });
    connect(HexGrainShortRB, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            HexGrainShortRB_Click();
        }
    });

    connect(SeeRollsCB, &QCheckBox::toggled, this, &Form1::SeeRollsCB_Click);
    connect(KeepLogFileCB, &QCheckBox::toggled, this, &Form1::KeepLogFileCB_Click);
    connect(LogEveryRollCB, &QCheckBox::toggled, this, &Form1::LogEveryRollCB_Click);
    connect(SpeechCB, &QCheckBox::toggled, this, &Form1::SpeechCB_Click);
    connect(RecognizeCB, &QCheckBox::toggled, this, &Form1::RecognizeCB_Click);
    connect(WakeWordCB, &QCheckBox::toggled, this, &Form1::WakeWordCB_Click);
    connect(StopTalkedOverCB, &QCheckBox::toggled, this, &Form1::StopTalkedOverCB_Click);

    connect(ChangeLogFileBtn, &QPushButton::clicked, this, &Form1::ChangeLogFileBtn_Click);
    connect(SpeechErrorsBnt, &QPushButton::clicked, this, &Form1::SpeechErrorsBnt_Click);
    connect(VoiceLessonsBtn, &QPushButton::clicked, this, &Form1::VoiceLessonsBtn_Click);
    connect(OKBtn, &QPushButton::clicked, this, &Form1::OKBtn_Click);
}

bool Form1::event(QEvent* e) {
    // The screen mirrors the scenario parameters each time it comes up. Only its own showing counts:
    // focus coming back from a message box, the log file dialog or another program must not throw
    // away the nationality and date the player picked but has not confirmed yet. Being modal, the
    // screen cannot be left for another window of the program while it is up.
    if (e->type() == QEvent::Show && !e->spontaneous()) {
        Form_Activate();
    }
    return QDialog::event(e);
}

void Form1::keyPressEvent(QKeyEvent* e) {
    // The screen has no Cancel: Escape would close it, and at start-up end the program.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Form1::LoadGameData() {
    ui::BusyPointer busy;
    setup::UserSettingsStore settings;
    setup::LoadGameData(settings, *this);
    setup::LoadWindowPlaces();
}

void Form1::StartSpeech() {
    ui::BusyPointer busy;
    StartSpeech(voice::SetUpSpeechEngines(platform::CurrentSpeechPlatform()));
}

void Form1::StartSpeech(voice::SpeechEngineSet engines) {
    setup::StartSpeech(std::move(engines), *this);
    if (!voice::gRecoContext) {
        return;
    }
    const QPointer<Form1> self(this);
    voice::gRecoContext->onAudioLevel = [self](int level) {
        if (self) {
            self->RecoContext_AudioLevel(level);
        }
    };
    voice::gRecoContext->onFalseRecognition = [self](const platform::RecoResult& result) {
        if (self) {
            self->RecoContext_FalseRecognition(result);
        }
    };
    voice::gRecoContext->onFailure = [self](long error) {
        if (self) {
            self->RecoContext_Failure(error);
        }
    };
    // The events that carry nothing: each calls its handler while the screen is there.
    const auto toScreen = [self](void (Form1::*handler)()) {
        return [self, handler] {
            if (self) {
                (self.data()->*handler)();
            }
        };
    };
    voice::gRecoContext->onRecovery = toScreen(&Form1::RecoContext_Recovery);
    voice::gRecoContext->onSpokenOver = toScreen(&Form1::RecoContext_SpokenOver);
    voice::gRecoContext->onWakeWord = toScreen(&Form1::RecoContext_WakeWord);
    voice::gRecoContext->onWakeWordExpired = toScreen(&Form1::RecoContext_WakeWordExpired);
    // The screen came up before the engines did, so its activation could not ask for the sound level.
    if (isVisible()) {
        voice::AddAudioLevelInterest();
    }
}

void Form1::ShowSpeechEngines() {
    // The boxes keep the saved switches (shown on activation); a failed engine only greys its box.
    RecognizeCB->setEnabled(voice::gRecoAvailable == 1);
    VoiceLessonsBtn->setEnabled(voice::gRecoAvailable == 1);
    // Switched only once the recogniser is there to be told, or can no longer be: its set-up reads it.
    WakeWordCB->setEnabled(true);
    // Only a voice can be stopped, and only a recogniser hears the player over it.
    StopTalkedOverCB->setEnabled(voice::gVoiceAvailable == 1 && voice::gRecoAvailable == 1);
    if (voice::gRecoAvailable == 0) {
        Label7->setEnabled(false);
    }
    SpeechCB->setEnabled(voice::gVoiceAvailable == 1);
    // The error report is offered only when an engine failed.
    SpeechErrorsBnt->setEnabled(voice::SpeechErrorsOnOffer());
}

void Form1::FillLists() {
    Setup();
}

void Form1::ShowLogFileName() {
    LogFileName->setText(ui::NameToQt(data::gLogFileName));
}

void Form1::Setup() {
    ui::BusyPointer busy;
    const auto fill = [](QComboBox* list, const QStringList& entries) {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(entries);
    };
    fill(YearComboList, Entries(setup::kYearEntries));
    SelectPosition(YearComboList, setup::gYearIndex, this, nullptr);
    fill(MonthComboList, Entries(setup::kMonthEntries));
    SelectPosition(MonthComboList, setup::gMonthIndex, this, nullptr);
    fill(ACComboList, Entries(setup::kACEntries));
    SelectPosition(ACComboList, setup::PositionOfACNumber(setup::gACNumber), this, &Form1::ACComboList_Click);
    fill(AttitudeComboList, Entries(setup::kAttitudeEntries));
    SelectPosition(AttitudeComboList, setup::gAttitude, this, &Form1::AttitudeComboList_Click);
    fill(A1DRMCB, Entries(setup::kA1Entries));
    SelectPosition(A1DRMCB, setup::PositionOfModifier(setup::gA1DRM), this, &Form1::A1DRMCB_Click);
    fill(A5DRMCB, Entries(setup::kA5Entries));
    SelectPosition(A5DRMCB, setup::PositionOfModifier(setup::gA5DRM), this, &Form1::A5DRMCB_Click);
    fill(FortsSpecialCB, Entries(setup::kFortsEntries));
    SelectPosition(FortsSpecialCB, setup::gFortsSpecial, this, &Form1::FortsSpecialCB_Click);
    if (setup::gHexGrain == 0) {
        SelectOption(HexGrainLongRB, this, &Form1::HexGrainLongRB_Click);
    } else {
        SelectOption(HexGrainShortRB, this, &Form1::HexGrainShortRB_Click);
    }
}

void Form1::FillNationalityList() {
    {
        const QSignalBlocker quiet(EnemyComboList);
        EnemyComboList->clear();
    }
    const std::vector<std::string> names = setup::ListSupportNationalities();
    if (names.empty()) {
        data::ShowMessage("No nationalities can be found.", true);
        return;
    }
    {
        const QSignalBlocker quiet(EnemyComboList);
        for (const std::string& name : names) {
            EnemyComboList->addItem(ui::NameToQt(setup::NationalityEntry(name)));
        }
    }
    // A saved position beyond the rebuilt list (a nationality file was removed) selects the first.
    SelectPosition(EnemyComboList, setup::gEnemyIndex, this, nullptr);
}

void Form1::Form_Activate() {
    voice::AddAudioLevelInterest();
    ui::BusyPointer busy;
    FillNationalityList();
    SelectPosition(EnemyComboList, setup::gEnemyIndex, this, nullptr);
    SelectPosition(YearComboList, setup::gYearIndex, this, nullptr);
    SelectPosition(MonthComboList, setup::gMonthIndex, this, nullptr);
    SelectPosition(ACComboList, setup::PositionOfACNumber(setup::gACNumber), this, &Form1::ACComboList_Click);
    SelectPosition(AttitudeComboList, setup::gAttitude, this, &Form1::AttitudeComboList_Click);
    SelectPosition(A1DRMCB, setup::PositionOfModifier(setup::gA1DRM), this, &Form1::A1DRMCB_Click);
    SelectPosition(A5DRMCB, setup::PositionOfModifier(setup::gA5DRM), this, &Form1::A5DRMCB_Click);
    SetBoxValue(SeeRollsCB, setup::gSeeRolls, this, &Form1::SeeRollsCB_Click);
    SetBoxValue(LogEveryRollCB, data::gLogEveryRoll, this, &Form1::LogEveryRollCB_Click);
    SetBoxValue(KeepLogFileCB, data::gKeepLogFile, this, &Form1::KeepLogFileCB_Click);
    SetBoxValue(SpeechCB, voice::gSpeak, this, &Form1::SpeechCB_Click);
    SetBoxValue(RecognizeCB, voice::gRecognize, this, &Form1::RecognizeCB_Click);
    SetBoxValue(WakeWordCB, voice::gWakeWord ? 1 : 0, this, &Form1::WakeWordCB_Click);
    SetBoxValue(StopTalkedOverCB, voice::gStopWhenTalkedOver ? 1 : 0, this, &Form1::StopTalkedOverCB_Click);
    SelectPosition(FortsSpecialCB, setup::gFortsSpecial, this, &Form1::FortsSpecialCB_Click);
}

void Form1::OKBtn_Click() {
    // The enemy list always has a choice once it is filled; should it have none, OK takes the first.
    if (EnemyComboList->currentIndex() < 0 && EnemyComboList->count() > 0) {
        SelectPosition(EnemyComboList, 0, this, nullptr);
    }
    setup::ScenarioChoice choice;
    choice.enemyEntry = ui::NameFromQt(EnemyComboList->currentText());
    choice.enemyIndex = EnemyComboList->currentIndex();
    choice.yearIndex = YearComboList->currentIndex();
    choice.monthIndex = MonthComboList->currentIndex();
    choice.a1Position = A1DRMCB->currentIndex();
    choice.a5Position = A5DRMCB->currentIndex();
    choice.fortsPosition = FortsSpecialCB->currentIndex();
    const std::string committed = setup::CommitScenario(choice);
    setup::RecordGameStart(committed);
    const QString title = ui::NameToQt(committed);

    confirmed_ = true;
    accept(); // hides the screen and ends its modal loop with the one result that means OK
    if (ui::Screens* screens = ui::CurrentScreens()) {
        screens->ScenarioConfirmed(title);
    }
}

void Form1::ACComboList_Click() {
    setup::gACNumber = setup::ACNumberOfPosition(ACComboList->currentIndex());
}
void Form1::AttitudeComboList_Click() {
    setup::gAttitude = AttitudeComboList->currentIndex();
}
void Form1::A1DRMCB_Click() {
    setup::gA1DRM = setup::ModifierOfPosition(A1DRMCB->currentIndex());
}
void Form1::A5DRMCB_Click() {
    setup::gA5DRM = setup::ModifierOfPosition(A5DRMCB->currentIndex());
}
void Form1::FortsSpecialCB_Click() {
    setup::gFortsSpecial = FortsSpecialCB->currentIndex();
}
void Form1::HexGrainLongRB_Click() {
    setup::gHexGrain = 0;
}
void Form1::HexGrainShortRB_Click() {
    setup::gHexGrain = 1;
}
void Form1::SeeRollsCB_Click() {
    setup::gSeeRolls = static_cast<std::int16_t>(Checked(SeeRollsCB));
}

void Form1::KeepLogFileCB_Click() {
    const bool on = KeepLogFileCB->isChecked();
    ChangeLogFileBtn->setEnabled(on);
    // Without a log there is nothing to log every roll into; the box keeps its value for later.
    LogEveryRollCB->setEnabled(on);
    data::gKeepLogFile = on ? 1 : 0;
}

void Form1::LogEveryRollCB_Click() {
    data::gLogEveryRoll = static_cast<std::int16_t>(Checked(LogEveryRollCB));
}

void Form1::ChangeLogFileBtn_Click() {
    if (!KeepLogFileCB->isChecked()) {
        return;
    }
    if (commonDialog1FileName_.empty()) {
        commonDialog1FileName_ = data::gLogFileName;
    }
    // Cancelling keeps the name the dialog had.
    if (const auto chosen = platform::CurrentDialogs().SaveFileName("Change Log File", commonDialog1FileName_,
                                                                    kLogFileFilter)) {
        commonDialog1FileName_ = *chosen;
    }
    data::gLogFileName = commonDialog1FileName_;
    ShowLogFileName();
}

void Form1::SpeechCB_Click() {
    voice::gSpeak = Checked(SpeechCB);
}
void Form1::RecognizeCB_Click() {
    voice::gRecognize = static_cast<std::int16_t>(Checked(RecognizeCB));
}

void Form1::WakeWordCB_Click() {
    // A recogniser that cannot take it reports the failure itself; the choice is kept for the next start.
    voice::SetWakeWord(Checked(WakeWordCB) == 1);
}

void Form1::StopTalkedOverCB_Click() {
    voice::SetStopWhenTalkedOver(Checked(StopTalkedOverCB) == 1);
}

void Form1::SpeechErrorsBnt_Click() {
    platform::CurrentDialogs().Message(voice::SpeechErrorsText());
}

void Form1::VoiceLessonsBtn_Click() {
    if (ui::Screens* screens = ui::CurrentScreens()) {
        screens->OpenVoiceLessons();
    }
}

void Form1::RecoContext_AudioLevel(int audioLevel) {
    Label6->setText(QString(audioLevel > 0 ? audioLevel : 0, QLatin1Char('*')));
}

void Form1::RecoContext_FalseRecognition(const platform::RecoResult& result) {
    // A command said without the wake word is the slip of a player who has just switched it on, or
    // forgot: telling what was missing saves saying it wrong again. Table talk is given this hint
    // rarely (6 sentences of 700 in the benchmark), as it fits no command well.
    data::ShowInActivationWindow(result.lacksWakeWord ? "(Say \"Dorva\" before the command.)"
                                                      : "(I'm sorry. I didn't understand you.)");
}

void Form1::RecoContext_SpokenOver() {
    // Like speech that matched nothing, it is shown whether or not the program is listening: the
    // player said something and is told why nothing happened.
    data::ShowInActivationWindow("(Speaking: say it again.)");
}

void Form1::RecoContext_WakeWord() {
    // The player who paused after "Dorva" looks for a sign of being heard before going on. While
    // listening is off no command but "start listening" would follow, and table talk stays quiet.
    if (voice::gRecognize) {
        data::ShowNotice(kWakeWordNotice);
    }
}

void Form1::RecoContext_WakeWordExpired() {
    // The latest result comes back: the window over VASL is where the player looks for it.
    data::EndNotice(kWakeWordNotice);
}

void Form1::RecoContext_Failure(long error) {
    voice::RecognizerFailed(error);
    SetBoxValue(RecognizeCB, voice::gRecognize, this, &Form1::RecognizeCB_Click);
    RecognizeCB->setEnabled(false);
    VoiceLessonsBtn->setEnabled(false);
    Label7->setEnabled(false);
    Label6->clear();
    SpeechErrorsBnt->setEnabled(true);
}

void Form1::RecoContext_Recovery() {
    voice::RecognizerRecovered();
    // Listening stays off: the player switches it on again, knowing the microphone is back.
    RecognizeCB->setEnabled(true);
    VoiceLessonsBtn->setEnabled(true);
    Label7->setEnabled(true);
    SpeechErrorsBnt->setEnabled(voice::SpeechErrorsOnOffer());
}

} // namespace dorva
