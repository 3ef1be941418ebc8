#include "setup/SetupScreen.h"

#include "activation/ActivationScreen.h"
#include "data/Announce.h"
#include "data/Messages.h"
#include "data/ScenarioTables.h"
#include "data/TableStore.h"
#include "setup/Params.h"
#include "setup/UserSettings.h"
#include "shell/Dialogs.h"
#include "shell/ProgramState.h"
#include "shell/Toolbar.h"
#include "shell/Windows.h"
#include "support/DataFiles.h"
#include "voice/FakeSpeechPlatform.h"
#include "voice/NullSpeechPlatform.h"
#include "voice/SpeechState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

// Failures show texts, not bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace dorva {
namespace {

using test::FakeSpeechPlatform;

class ScriptedDialogs final : public gui::Dialogs {
public:
    ScriptedDialogs() { gui::SetDialogs(this); }
    ~ScriptedDialogs() override { gui::SetDialogs(nullptr); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void Message(QWidget*, const QString& text) override { messages << text; }
    QString SaveFileName(QWidget*, const QString&, const QString& preset, const QString& filter) override {
        presets << preset;
        filters << filter;
        return answer;
    }
    int Exec(QDialog&) override { return QDialog::Rejected; }

    QString answer; // empty: the player cancels
    QStringList messages, presets, filters;
};

class FakeVaslWindow final : public data::ActivationWindowChannel {
public:
    bool IsVisible() override { return true; }
    void SetText(const std::string& t) override { text = t; }
    std::string text;
};

std::string TableFile(const std::vector<std::string>& leaveOut = {}) {
    test::TableFileBuilder file;
    for (const char* code : data::kTableCodes) {
        if (std::find(leaveOut.begin(), leaveOut.end(), code) != leaveOut.end()) {
            continue;
        }
        if (std::string(code) == "IF" || std::string(code) == "9E") {
            file.Grid(code, {{std::string(code) + " r0c0", "r0c1"}, {"r1c0", "r1c1"}});
        } else {
            file.List(code, {std::string(code) + " 1", std::string(code) + " 2"});
        }
    }
    return file.Bytes();
}

// A nationality whose every text names it; before 1942 and from 1942 on differ.
std::string NationalityFile(const std::string& name, const std::string& tag) {
    test::NationalityFileBuilder file(tag);
    file.Section("02", 194112)
        .Squads({{'1', '0', name + " early squad", name + " early half"}}, {})
        .Variant(194612)
        .Squads(
            {{'E', '0', name + " squad", name + " half"}, {'2', '1', name + " guard", name + " half guard"}},
            {{194201, 194312, "-1"}});
    for (const char* code : {"01", "03", "04", "06", "5I", "5O", "6A"}) {
        file.Section(code, 194612).Texts({name + " " + code});
    }
    return file.Bytes();
}

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        entries << list->itemText(i);
    }
    return entries;
}

void ClearUserSettings() {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("DORVA2"));
    settings.clear();
    settings.sync();
}

QString StoredSetting(const char* key) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("DORVA2"));
    return settings.value(QStringLiteral("Params/") + QLatin1String(key)).toString();
}

void StoreSettings(const std::map<std::string, std::string>& values) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("DORVA2"));
    settings.beginGroup(QStringLiteral("Params"));
    for (const auto& [key, value] : values) {
        settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    }
    settings.endGroup();
    settings.sync();
}

class SetupScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        ClearUserSettings();
        folder_.Write("config.sco", TableFile());
        folder_.Write("German.sdf", NationalityFile("German", "GE"));
        folder_.Write("American.sdf", NationalityFile("American", "AM"));
        folder_.Write("Russian.sdf", NationalityFile("Russian", "RU"));
        folder_.Write("DORVA2_What_Can_I_Say.txt", "Say \"activation\".\r\n");
        voice::gSpeechPlatform = &platform_;
        data::SetMessageSink([this](const std::string& m) { messages_.push_back(m); });
        data::SetQuitHandler([] { throw data::ProgramEnded("quit"); });
        data::SetActivationWindowChannel(&vasl_);
    }
    void TearDown() override {
        gui::DestroyAllWindows();
        data::SetActivationWindowChannel(nullptr);
        data::SetMessageSink(nullptr);
        data::SetQuitHandler(nullptr);
        voice::gSpeechPlatform = nullptr;
        ClearUserSettings();
        ResetProgramState();
    }

    // Start-up as the program runs it: the loader, then the screen comes up.
    Form1& StartUp() {
        Form1& form = gui::Window<Form1>();
        form.LoadGameData();
        form.show();
        return form;
    }
    template <class W> W* Find(const char* name) { return gui::Window<Form1>().findChild<W*>(name); }

    test::SupportFolder folder_;
    FakeSpeechPlatform platform_;
    ScriptedDialogs dialogs_;
    FakeVaslWindow vasl_;
    std::vector<std::string> messages_;
};

struct ControlSpec {
    const char* name;
    const char* caption;
};

TEST_F(SetupScreen, ControlsWithTheirCaptionsAndNames) {
    Form1& form = gui::Window<Form1>();
    EXPECT_EQ(form.windowTitle(), "DORVA II Set Up");
    EXPECT_EQ(form.objectName(), "Form1");
    const ControlSpec labels[] = {
        {"Label1", "Enter scenario options here. Those marked with red indicate they may be changed or "
                   "overridden in other screens."},
        {"Label2", "*"},
        {"Label3", "*"},
        {"Label4", "Log File Name:"},
        {"Label7", "Sound Level"},
    };
    for (const auto& [name, caption] : labels) {
        auto* label = Find<QLabel>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), caption) << name;
    }
    EXPECT_EQ(Find<QLabel>("Label2")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(Find<QLabel>("Label3")->palette().color(QPalette::WindowText), QColor(Qt::red));
    const ControlSpec frames[] = {{"Frame1", "Special DRMs"},
                                  {"Frame2", "Log File"},
                                  {"Frame3", "Speech Recognition"},
                                  {"Frame4", "Map Alignment"}};
    for (const auto& [name, caption] : frames) {
        ASSERT_NE(Find<QGroupBox>(name), nullptr) << name;
        EXPECT_EQ(Find<QGroupBox>(name)->title(), caption) << name;
    }
    const ControlSpec buttons[] = {
        {"OKBtn", "OK"}, {"ChangeLogFileBtn", "Change Log File"}, {"SpeechErrorsBnt", "Speech Errors"}};
    for (const auto& [name, caption] : buttons) {
        ASSERT_NE(Find<QPushButton>(name), nullptr) << name;
        EXPECT_EQ(Find<QPushButton>(name)->text(), caption) << name;
    }
    const ControlSpec boxes[] = {{"SeeRollsCB", "See roll outcomes"},
                                 {"KeepLogFileCB", "Keep Log File"},
                                 {"RecognizeCB", "Recognize speech"},
                                 {"SpeechCB", "Speak results"}};
    for (const auto& [name, caption] : boxes) {
        ASSERT_NE(Find<QCheckBox>(name), nullptr) << name;
        EXPECT_EQ(Find<QCheckBox>(name)->text(), caption) << name;
    }
    for (const char* name : {"HexGrainLongRB", "HexGrainShortRB"}) {
        ASSERT_NE(Find<QRadioButton>(name), nullptr) << name;
        EXPECT_EQ(Find<QRadioButton>(name)->text(), "") << name;
        EXPECT_EQ(Find<QRadioButton>(name)->parent(), form.Frame4);
    }
    for (const char* name : {"Image1", "Image2", "LogFileName", "Label6"}) {
        EXPECT_NE(Find<QLabel>(name), nullptr) << name;
    }
    for (QWidget* inSpecialDRMs : {static_cast<QWidget*>(form.A1DRMCB), static_cast<QWidget*>(form.A5DRMCB),
                                   static_cast<QWidget*>(form.FortsSpecialCB)}) {
        EXPECT_EQ(inSpecialDRMs->parent(), form.Frame1) << inSpecialDRMs->objectName().toStdString();
    }
    for (QWidget* inLog :
         {static_cast<QWidget*>(form.KeepLogFileCB), static_cast<QWidget*>(form.ChangeLogFileBtn),
          static_cast<QWidget*>(form.Label4), static_cast<QWidget*>(form.LogFileName)}) {
        EXPECT_EQ(inLog->parent(), form.Frame2) << inLog->objectName().toStdString();
    }
}

TEST_F(SetupScreen, ListEntriesAfterStartUp) {
    Form1& form = StartUp();
    EXPECT_EQ(Entries(form.EnemyComboList), QStringList({"vs. American", "vs. German", "vs. Russian"}));
    EXPECT_EQ(Entries(form.YearComboList),
              QStringList({"1938", "1939", "1940", "1941", "1942", "1943", "1944", "1945", "1946"}));
    EXPECT_EQ(Entries(form.MonthComboList),
              QStringList({"January", "February", "March", "April", "May", "June", "July", "August",
                           "September", "October", "November", "December"}));
    EXPECT_EQ(Entries(form.ACComboList), QStringList({"AC# = 2", "AC# = 3", "AC# = 4", "AC# = 5"}));
    EXPECT_EQ(Entries(form.AttitudeComboList), QStringList({"Hold Attitude", "Advance Attitude"}));
    EXPECT_EQ(Entries(form.A1DRMCB), QStringList({"-2 A1 Modifier", "-1 A1 Modifier", "No A1 Modifier",
                                                  "+1 A1 Modifier", "+2 A1 Modifier"}));
    EXPECT_EQ(Entries(form.A5DRMCB), QStringList({"-2 A5 Modifier", "-1 A5 Modifier", "No A5 Modifier",
                                                  "+1 A5 Modifier", "+2 A5 Modifier"}));
    EXPECT_EQ(Entries(form.FortsSpecialCB), QStringList({"Forts not special", "Forts on Final even A1"}));
}

TEST_F(SetupScreen, FirstRunOpensWithTheDefaults) {
    Form1& form = StartUp();
    EXPECT_EQ(form.EnemyComboList->currentText(), "vs. American");
    EXPECT_EQ(form.YearComboList->currentText(), "1939");
    EXPECT_EQ(form.MonthComboList->currentText(), "September");
    EXPECT_EQ(form.ACComboList->currentText(), "AC# = 3");
    EXPECT_EQ(form.AttitudeComboList->currentText(), "Hold Attitude");
    EXPECT_EQ(form.A1DRMCB->currentText(), "No A1 Modifier");
    EXPECT_EQ(form.A5DRMCB->currentText(), "No A5 Modifier");
    EXPECT_EQ(form.FortsSpecialCB->currentText(), "Forts not special");
    EXPECT_TRUE(form.HexGrainLongRB->isChecked());
    EXPECT_FALSE(form.HexGrainShortRB->isChecked());
    EXPECT_TRUE(form.SeeRollsCB->isChecked());
    EXPECT_FALSE(form.KeepLogFileCB->isChecked());
    EXPECT_FALSE(form.ChangeLogFileBtn->isEnabled());
    EXPECT_EQ(form.LogFileName->text(), "DORVALog.txt");
    EXPECT_EQ(setup::gACNumber, 3);
    EXPECT_EQ(setup::gA1DRM, 0);
    EXPECT_EQ(setup::gA5DRM, 0);
    EXPECT_EQ(setup::gSeeRolls, 1);
    EXPECT_EQ(data::gKeepLogFile, 0);
    EXPECT_FALSE(data::gAppliedSdfTag.has_value());
    EXPECT_TRUE(data::gSPGTableFound);
    EXPECT_EQ(voice::gWhatCanISayText, "Say \"activation\".\r\n");
    EXPECT_TRUE(messages_.empty());
    // Both engines work, yet a first run starts with speaking and listening off.
    EXPECT_TRUE(form.SpeechCB->isEnabled());
    EXPECT_TRUE(form.RecognizeCB->isEnabled());
    EXPECT_FALSE(form.SpeechCB->isChecked());
    EXPECT_FALSE(form.RecognizeCB->isChecked());
    EXPECT_FALSE(form.SpeechErrorsBnt->isEnabled());
    EXPECT_EQ(data::gSpeak, 0);
    EXPECT_EQ(voice::gRecognize, 0);
}

TEST_F(SetupScreen, StartUpReadsTheRuleTables) {
    StartUp();
    EXPECT_EQ(data::gTableA1, data::ListTable({"", "A1 1", "A1 2"}));
    EXPECT_EQ(data::gTableHd, data::ListTable({"", "Hd 1", "Hd 2"}));
    EXPECT_EQ(data::gTable9E.Cell(0, 0), "9E r0c0");
    for (std::int16_t modifier : data::gModifierTable) {
        EXPECT_EQ(modifier, 0);
    }
}

struct SpeechCase {
    const char* name;
    long voiceError, contextError, loadError;
    bool speechEnabled, recognizeEnabled, soundLevelEnabled, errorsEnabled;
    const char* errors;
};

class SpeechStartUp : public SetupScreen, public ::testing::WithParamInterface<SpeechCase> {};

TEST_P(SpeechStartUp, BoxesFollowTheEnginesAndErrorsAreOnOffer) {
    const SpeechCase& c = GetParam();
    platform_.voiceError = c.voiceError;
    platform_.contextError = c.contextError;
    platform_.loadError = c.loadError;
    Form1& form = StartUp();
    EXPECT_EQ(form.SpeechCB->isEnabled(), c.speechEnabled);
    EXPECT_EQ(form.RecognizeCB->isEnabled(), c.recognizeEnabled);
    EXPECT_EQ(form.Label7->isEnabled(), c.soundLevelEnabled);
    EXPECT_EQ(form.SpeechErrorsBnt->isEnabled(), c.errorsEnabled);
    EXPECT_EQ(data::gVoiceAvailable, c.speechEnabled ? 1 : 0);
    EXPECT_EQ(voice::gRecoAvailable, c.recognizeEnabled ? 1 : 0);
    form.SpeechErrorsBnt_Click();
    EXPECT_EQ(dialogs_.messages, QStringList({c.errors}));
    EXPECT_TRUE(messages_.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Engines, SpeechStartUp,
    ::testing::Values(SpeechCase{"Both", 0, 0, 0, true, true, true, false, "TTS = 0\r\nSR = 0"},
                      SpeechCase{"NoGrammar", 0, 0, 5005, true, false, false, true, "TTS = 0\r\nSR = 5005"},
                      SpeechCase{"NoVoice", 77, 0, 0, false, true, true, true, "TTS = 77\r\nSR = 0"},
                      SpeechCase{"Neither", 1001, 1002, 0, false, false, false, true,
                                 "TTS = 1001\r\nSR = 1002"}),
    [](const ::testing::TestParamInfo<SpeechCase>& engines) { return std::string(engines.param.name); });

TEST_F(SetupScreen, ThisReleasesPlatformStartsUpWithoutSpeech) {
    voice::NullSpeechPlatform none;
    voice::gSpeechPlatform = &none;
    Form1& form = StartUp();
    EXPECT_FALSE(form.SpeechCB->isEnabled());
    EXPECT_FALSE(form.RecognizeCB->isEnabled());
    EXPECT_TRUE(form.SpeechErrorsBnt->isEnabled());
    form.SpeechErrorsBnt_Click();
    EXPECT_EQ(dialogs_.messages, QStringList({"TTS = 1001\r\nSR = 1002"}));
    // Saved preferences may still say "on"; without engines nothing is spoken.
    data::SpeakText("hello", data::kSpeakAsync);
    EXPECT_EQ(data::gLastSpokenText, "");
}

TEST_F(SetupScreen, MissingTableFileEndsStartUpBeforeSettingsAndTables) {
    folder_.Remove("config.sco");
    StoreSettings({{"KeepLogFile", "1"}, {"Year", "7"}});
    Form1& form = gui::Window<Form1>();
    EXPECT_THROW(form.LoadGameData(), data::ProgramEnded);
    EXPECT_EQ(messages_, std::vector<std::string>({"DORVA_Support/config.sco is not found."}));
    EXPECT_EQ(setup::gYearIndex, 1); // the saved 7 was never read
    EXPECT_EQ(form.YearComboList->count(), 0);
    EXPECT_TRUE(data::gTableA1.empty());
    EXPECT_EQ(voice::gWhatCanISayText, "");
    // Nothing was written either.
    EXPECT_EQ(StoredSetting("FileName"), "");
    EXPECT_EQ(StoredSetting("Year"), "7");
}

TEST_F(SetupScreen, MissingTablesAreNamedOnceAndStartUpGoesOn) {
    folder_.Write("config.sco", TableFile({"4B", "9E"}));
    StartUp();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("4B, 9E"), std::string::npos) << messages_[0];
    EXPECT_NE(messages_[0].find("DORVA_Support/config.sco"), std::string::npos) << messages_[0];
    EXPECT_TRUE(data::gTable4B.empty());
    EXPECT_EQ(data::gTable9E.rows, 0);
    EXPECT_EQ(data::gTable4C, data::ListTable({"", "4C 1", "4C 2"}));
    EXPECT_EQ(voice::gWhatCanISayText, "Say \"activation\".\r\n");
}

TEST_F(SetupScreen, NoNationalityFileEndsTheProgram) {
    for (const char* file : {"German.sdf", "American.sdf", "Russian.sdf"}) {
        folder_.Remove(file);
    }
    Form1& form = gui::Window<Form1>();
    form.LoadGameData();
    EXPECT_THROW(form.Form_Activate(), data::ProgramEnded);
    EXPECT_EQ(messages_, std::vector<std::string>({"No nationalities can be found."}));
}

TEST_F(SetupScreen, TheEnemyListIsRebuiltOnEveryActivation) {
    Form1& form = StartUp();
    form.EnemyComboList->setCurrentIndex(2);
    form.OKBtn_Click();
    EXPECT_EQ(setup::gEnemyIndex, 2);
    folder_.Write("British.sdf", NationalityFile("British", "BR"));
    form.show();
    EXPECT_EQ(Entries(form.EnemyComboList),
              QStringList({"vs. American", "vs. British", "vs. German", "vs. Russian"}));
    EXPECT_EQ(form.EnemyComboList->currentIndex(), 2); // a position, not a name

    folder_.Remove("Russian.sdf");
    folder_.Remove("German.sdf");
    form.Form_Activate();
    EXPECT_EQ(form.EnemyComboList->currentText(), "vs. American"); // beyond the list: the first
}

struct SelectionCase {
    const char* control;
    int position;
    int* variable;
    int expected;
};

TEST_F(SetupScreen, EachListSelectionSetsItsParameter) {
    const SelectionCase cases[] = {
        {"ACComboList", 3, &setup::gACNumber, 5},
        {"ACComboList", 0, &setup::gACNumber, 2},
        {"AttitudeComboList", 1, &setup::gAttitude, 1},
        {"A1DRMCB", 3, &setup::gA1DRM, 1},
        {"A1DRMCB", 0, &setup::gA1DRM, -2},
        {"A5DRMCB", 4, &setup::gA5DRM, 2},
        {"FortsSpecialCB", 1, &setup::gFortsSpecial, 1},
    };
    StartUp();
    for (const auto& c : cases) {
        Find<QComboBox>(c.control)->setCurrentIndex(c.position);
        EXPECT_EQ(*c.variable, c.expected) << c.control << " " << c.position;
    }
}

TEST_F(SetupScreen, BoxesAndOptionsSetTheirValues) {
    Form1& form = StartUp();
    QTest::mouseClick(form.HexGrainShortRB, Qt::LeftButton);
    EXPECT_EQ(setup::gHexGrain, 1);
    QTest::mouseClick(form.HexGrainLongRB, Qt::LeftButton);
    EXPECT_EQ(setup::gHexGrain, 0);
    form.SeeRollsCB->click();
    EXPECT_EQ(setup::gSeeRolls, 0);
    form.SpeechCB->click();
    EXPECT_EQ(data::gSpeak, 1);
    form.RecognizeCB->click();
    EXPECT_EQ(voice::gRecognize, 1);
    form.KeepLogFileCB->click();
    EXPECT_EQ(data::gKeepLogFile, 1);
    EXPECT_TRUE(form.ChangeLogFileBtn->isEnabled());
    form.KeepLogFileCB->click();
    EXPECT_EQ(data::gKeepLogFile, 0);
    EXPECT_FALSE(form.ChangeLogFileBtn->isEnabled());
}

TEST_F(SetupScreen, ActivationShowsWhatOtherScreensChanged) {
    Form1& form = StartUp();
    form.OKBtn_Click();
    // Changed elsewhere while the screen was hidden: the activation screen, the voice commands.
    setup::gACNumber = 5;
    setup::gAttitude = 1;
    setup::gA1DRM = -1;
    setup::gSeeRolls = 0;
    data::gKeepLogFile = 1;
    data::gSpeak = 1;
    form.show();
    EXPECT_EQ(form.ACComboList->currentText(), "AC# = 5");
    EXPECT_EQ(form.AttitudeComboList->currentText(), "Advance Attitude");
    EXPECT_EQ(form.A1DRMCB->currentText(), "-1 A1 Modifier");
    EXPECT_FALSE(form.SeeRollsCB->isChecked());
    EXPECT_TRUE(form.KeepLogFileCB->isChecked());
    EXPECT_TRUE(form.ChangeLogFileBtn->isEnabled()); // the box's handler ran
    EXPECT_TRUE(form.SpeechCB->isChecked());
    EXPECT_EQ(setup::gA1DRM, -1);
}

TEST_F(SetupScreen, MapAlignmentKeepsThePlayersChoiceOverActivations) {
    Form1& form = StartUp();
    QTest::mouseClick(form.HexGrainShortRB, Qt::LeftButton);
    form.hide();
    setup::gHexGrain = 0;
    form.show();
    EXPECT_TRUE(form.HexGrainShortRB->isChecked());
}

struct OkCase {
    int enemy, year, month;
    const char* nationality;
    const char* gameDate;
    const char* title;
    const char* squad;
};

TEST_F(SetupScreen, OkRecordsTheScenarioAndSwitchesToThePlayWindows) {
    const OkCase cases[] = {
        {1, 5, 5, "German", "194306", "vs. German: June, 1943", "German squad"},
        {0, 0, 0, "American", "193801", "vs. American: January, 1938", "American early squad"},
        {2, 8, 11, "Russian", "194612", "vs. Russian: December, 1946", "Russian squad"},
    };
    for (const auto& c : cases) {
        Form1& form = gui::Window<Form1>();
        if (!form.Confirmed()) {
            form.LoadGameData();
        }
        form.show();
        form.EnemyComboList->setCurrentIndex(c.enemy);
        form.YearComboList->setCurrentIndex(c.year);
        form.MonthComboList->setCurrentIndex(c.month);
        form.A1DRMCB->setCurrentIndex(4);
        form.A5DRMCB->setCurrentIndex(1);
        form.FortsSpecialCB->setCurrentIndex(1);
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);

        EXPECT_EQ(setup::gNationality, c.nationality);
        EXPECT_EQ(setup::gEnemyIndex, c.enemy);
        EXPECT_EQ(setup::gYearIndex, c.year);
        EXPECT_EQ(setup::gMonthIndex, c.month);
        EXPECT_EQ(setup::gGameDate, c.gameDate);
        EXPECT_EQ(setup::gA1DRM, 2);
        EXPECT_EQ(setup::gA5DRM, -1);
        EXPECT_EQ(setup::gFortsSpecial, 1);
        ASSERT_GE(data::gSquadTable.size(), 2u);
        EXPECT_EQ(data::gSquadTable[1][1], c.squad) << c.nationality;
        EXPECT_EQ(data::Entry(data::gLeaderTable, 1), std::string(c.nationality) + " 03");

        EXPECT_TRUE(form.Confirmed());
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_FALSE(form.isVisible());
        ASSERT_TRUE(gui::IsWindowVisible<Form4>());
        ASSERT_TRUE(gui::IsWindowVisible<Form2>());
        Form2& activation = gui::Window<Form2>();
        EXPECT_EQ(activation.MissionParametersTB->text(), c.title);
        EXPECT_EQ(activation.windowTitle(), QStringLiteral("Activation ") + c.title);
    }
}

TEST_F(SetupScreen, OkHandsTheAcNumberAndAttitudeToAVisibleActivationScreen) {
    Form1& form = StartUp();
    form.OKBtn_Click();
    Form2& activation = gui::Window<Form2>();
    ASSERT_TRUE(activation.isVisible());
    form.show();
    form.ACComboList->setCurrentIndex(3);
    form.AttitudeComboList->setCurrentIndex(1);
    form.OKBtn_Click();
    EXPECT_EQ(activation.Combo1->currentIndex(), 3);
    EXPECT_EQ(activation.AttitudeDL->currentIndex(), 1);
    EXPECT_EQ(setup::gACNumber, 5);
    EXPECT_EQ(setup::gAttitude, 1);
}

TEST_F(SetupScreen, SoundLevelOnlyWhileTheScreenIsUp) {
    Form1& form = StartUp();
    auto* context = static_cast<FakeSpeechPlatform::FakeContext*>(voice::gRecoContext.get());
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->interests & voice::kAudioLevelInterest, voice::kAudioLevelInterest);
    context->onAudioLevel(100);
    EXPECT_EQ(form.Label6->text(), QString(100, QLatin1Char('*')));
    context->onAudioLevel(3);
    EXPECT_EQ(form.Label6->text(), "***");
    form.RecoContext_AudioLevel(0);
    EXPECT_EQ(form.Label6->text(), "");
    form.OKBtn_Click();
    EXPECT_EQ(context->interests & voice::kAudioLevelInterest, 0);
    form.show();
    EXPECT_EQ(context->interests & voice::kAudioLevelInterest, voice::kAudioLevelInterest);
}

TEST_F(SetupScreen, SpeechThatMatchedNothingIsAnsweredInTheVaslWindow) {
    StartUp();
    voice::gRecognize = 0; // not consulted
    voice::gRecoContext->onFalseRecognition(voice::RecoResult{});
    EXPECT_EQ(vasl_.text, "(I'm sorry. I didn't understand you.)");
}

TEST_F(SetupScreen, ClosingBeforeTheFirstOkIsNotOkAndLaterOnlyHides) {
    Form1& form = StartUp();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible()); // the screen has no Cancel
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(form.Confirmed());

    form.show();
    form.OKBtn_Click();
    form.show();
    form.close();
    EXPECT_EQ(gui::ExistingWindow<Form1>(), &form);
    EXPECT_EQ(form.YearComboList->count(), 9); // still filled for the next time
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(SetupScreen, LogFileOptions) {
    Form1& form = StartUp();
    // Off: "Change Log File" does nothing.
    form.ChangeLogFileBtn_Click();
    EXPECT_TRUE(dialogs_.presets.isEmpty());

    form.KeepLogFileCB->click();
    dialogs_.answer = QStringLiteral("/tmp/games/sept.txt");
    form.ChangeLogFileBtn->click();
    EXPECT_EQ(dialogs_.presets, QStringList({"DORVALog.txt"}));
    EXPECT_EQ(dialogs_.filters, QStringList({"DORVA Log Files (*.txt)"}));
    EXPECT_EQ(data::gLogFileName, "/tmp/games/sept.txt");
    EXPECT_EQ(form.LogFileName->text(), "/tmp/games/sept.txt");

    // Cancelling keeps the name; the dialog offers the name it has.
    dialogs_.answer.clear();
    form.ChangeLogFileBtn_Click();
    EXPECT_EQ(dialogs_.presets.last(), "/tmp/games/sept.txt");
    EXPECT_EQ(data::gLogFileName, "/tmp/games/sept.txt");
    EXPECT_EQ(form.LogFileName->text(), "/tmp/games/sept.txt");

    // A path beyond Latin-1 reaches the log writer and the saved settings unharmed.
    const QString foreign = QStringLiteral("/tmp/Spiele/\u20ac-\u0160ach.txt");
    dialogs_.answer = foreign;
    form.ChangeLogFileBtn_Click();
    EXPECT_EQ(form.LogFileName->text(), foreign);
    EXPECT_EQ(data::gLogFileName, foreign.toStdString());
    setup::SaveUserSettings();
    data::gLogFileName.clear();
    setup::UserSettingsStore store;
    EXPECT_EQ(setup::GetParam(store, "FileLogName"), foreign.toStdString());
}

TEST_F(SetupScreen, SavedSettingsComeBackAtTheNextStart) {
    StoreSettings({{"KeepLogFile", "1"},
                   {"Speak", "1"},
                   {"Recognize", "0"},
                   {"Enemy", "1"},
                   {"Year", "5"},
                   {"Month", "5"},
                   {"ACNumber", "2"},
                   {"Attitude", "1"},
                   {"A1DRM", "4"},
                   {"A5DRM", "1"},
                   {"FortsSpecial", "1"},
                   {"SeeRolls", "0"},
                   {"HexGrain", "1"},
                   {"FileLogName", "/tmp/old-game.txt"}});
    Form1& form = StartUp();
    EXPECT_EQ(form.EnemyComboList->currentText(), "vs. German");
    EXPECT_EQ(form.YearComboList->currentText(), "1943");
    EXPECT_EQ(form.MonthComboList->currentText(), "June");
    EXPECT_EQ(form.ACComboList->currentText(), "AC# = 4");
    EXPECT_EQ(setup::gACNumber, 4);
    EXPECT_EQ(form.AttitudeComboList->currentText(), "Advance Attitude");
    EXPECT_EQ(form.A1DRMCB->currentText(), "+2 A1 Modifier");
    EXPECT_EQ(setup::gA1DRM, 2);
    EXPECT_EQ(form.A5DRMCB->currentText(), "-1 A5 Modifier");
    EXPECT_EQ(setup::gA5DRM, -1);
    EXPECT_EQ(form.FortsSpecialCB->currentText(), "Forts on Final even A1");
    EXPECT_TRUE(form.HexGrainShortRB->isChecked());
    EXPECT_EQ(setup::gHexGrain, 1);
    EXPECT_FALSE(form.SeeRollsCB->isChecked());
    EXPECT_TRUE(form.KeepLogFileCB->isChecked());
    EXPECT_TRUE(form.ChangeLogFileBtn->isEnabled());
    EXPECT_TRUE(form.SpeechCB->isChecked());
    EXPECT_FALSE(form.RecognizeCB->isChecked());
    EXPECT_EQ(form.LogFileName->text(), "/tmp/old-game.txt");
}

TEST_F(SetupScreen, ExitWritesTheChoicesInTheirStoredForms) {
    Form1& form = StartUp();
    setup::SaveUserSettings(); // File > Exit before the first OK
    EXPECT_TRUE(QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("DORVA2"))
                    .fileName()
                    .endsWith(QStringLiteral("/DORVA2.ini")));
    EXPECT_EQ(StoredSetting("FileName"), "");
    EXPECT_EQ(StoredSetting("GameDate"), "");
    EXPECT_EQ(StoredSetting("KeepLogFile"), "0");
    EXPECT_EQ(StoredSetting("A1DRM"), "2");
    EXPECT_EQ(StoredSetting("ACNumber"), "1");

    form.EnemyComboList->setCurrentIndex(2);
    form.YearComboList->setCurrentIndex(4);
    form.MonthComboList->setCurrentIndex(0);
    form.ACComboList->setCurrentIndex(3);
    form.A1DRMCB->setCurrentIndex(3);
    form.KeepLogFileCB->click();
    form.OKBtn_Click();
    setup::SaveUserSettings();
    const std::pair<const char*, const char*> stored[] = {
        {"FileName", "Russian"}, {"GameDate", "194201"}, {"Enemy", "2"},    {"Year", "4"},
        {"Month", "0"},          {"ACNumber", "3"},      {"A1DRM", "3"},    {"A5DRM", "2"},
        {"KeepLogFile", "1"},    {"SeeRolls", "1"},      {"HexGrain", "0"}, {"FileLogName", "DORVALog.txt"},
    };
    for (const auto& [key, value] : stored) {
        EXPECT_EQ(StoredSetting(key), value) << key;
    }

    // The next run opens as this one was left.
    gui::DestroyAllWindows();
    ResetProgramState();
    Form1& next = StartUp();
    EXPECT_EQ(next.EnemyComboList->currentText(), "vs. Russian");
    EXPECT_EQ(next.YearComboList->currentText(), "1942");
    EXPECT_EQ(next.MonthComboList->currentText(), "January");
    EXPECT_EQ(next.ACComboList->currentText(), "AC# = 5");
    EXPECT_EQ(next.A1DRMCB->currentText(), "+1 A1 Modifier");
    EXPECT_EQ(setup::gA1DRM, 1);
    EXPECT_TRUE(next.KeepLogFileCB->isChecked());
}

} // namespace
} // namespace dorva
