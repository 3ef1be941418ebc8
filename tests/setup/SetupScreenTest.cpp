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
#include "support/FakeChannels.h"
#include "support/FakeSpeechPlatform.h"
#include "voice/SpeechState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace dorva {
namespace {

using test::FakeSpeechPlatform;

class ScriptedDialogs final : public gui::Dialogs {
public:
    ScriptedDialogs() { gui::SetDialogs(this); }
    ~ScriptedDialogs() override { gui::SetDialogs(nullptr); }
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

std::string TableFile(const std::vector<std::string>& leaveOut = {}) {
    test::TableFileBuilder file;
    for (const std::string code : data::kTableCodes) {
        if (std::find(leaveOut.begin(), leaveOut.end(), code) != leaveOut.end()) {
            continue;
        } else if (code == "IF" || code == "9E") {
            file.Grid(code, {{code + " r0c0", "r0c1"}, {"r1c0", "r1c1"}});
        } else {
            file.List(code, {code + " 1", code + " 2"});
        }
    }
    return file.Bytes();
}

// A nationality whose every text names it (tagged by its first two letters); before 1942 and from 1942 on
// differ.
std::string NationalityFile(const std::string& name) {
    test::NationalityFileBuilder file(QString::fromStdString(name.substr(0, 2)).toUpper().toStdString());
    file.Section("02", 194112)
        .Squads({{'1', '0', name + " early squad", name + " early half"}}, {})
        .Variant(194612)
        .Squads({{'E', '0', name + " squad", name + " half"}}, {{194201, 194312, "-1"}});
    for (const char* code : {"01", "03", "04", "06", "5I", "5O", "6A"}) {
        file.Section(code, 194612).Texts({name + " " + code});
    }
    return file.Bytes();
}

// What the player reads: every list's choice, then the options that are on.
QStringList Shown(const Form1& form) {
    QStringList shown, on;
    for (const QComboBox* list :
         {form.EnemyComboList, form.YearComboList, form.MonthComboList, form.ACComboList,
          form.AttitudeComboList, form.A1DRMCB, form.A5DRMCB, form.FortsSpecialCB}) {
        shown << list->currentText();
    }
    for (const QAbstractButton* option : std::initializer_list<const QAbstractButton*>{
             form.HexGrainShortRB, form.HexGrainLongRB, form.SeeRollsCB, form.KeepLogFileCB, form.SpeechCB,
             form.RecognizeCB}) {
        on << (option->isChecked() ? option->objectName() : QString());
    }
    on << (form.ChangeLogFileBtn->isEnabled() ? "ChangeLogFileBtn" : "");
    return shown << on.join(' ').simplified();
}

std::unique_ptr<QSettings> UserIni() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("DORVA2"));
}

QString StoredSetting(const char* key) {
    return UserIni()->value(QStringLiteral("Params/") + QLatin1String(key)).toString();
}

class SetupScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        UserIni()->clear();
        folder_.Write("config.sco", TableFile());
        for (const std::string name : {"German", "American", "Russian"}) {
            folder_.Write(name + ".sdf", NationalityFile(name));
        }
        folder_.Write("DORVA2_What_Can_I_Say.txt", "Say \"activation\".\r\n");
        voice::gSpeechPlatform = &platform_;
        data::SetMessageSink([this](const std::string& m) { messages_.push_back(m); });
        data::SetQuitHandler([] { throw data::ProgramEnded("quit"); });
        vasl_.visible = true;
        data::SetActivationWindowChannel(&vasl_);
    }
    void TearDown() override {
        gui::DestroyAllWindows();
        data::SetActivationWindowChannel(nullptr);
        data::SetMessageSink(nullptr);
        data::SetQuitHandler(nullptr);
        voice::gSpeechPlatform = nullptr;
        UserIni()->clear();
        ResetProgramState();
    }
    // Start-up as the program runs it: the loader, then the screen comes up.
    static Form1& StartUp() {
        Form1& form = gui::Window<Form1>();
        form.LoadGameData();
        form.show();
        return form;
    }

    test::SupportFolder folder_;
    FakeSpeechPlatform platform_;
    ScriptedDialogs dialogs_;
    test::FakeActivationWindow vasl_;
    std::vector<std::string> messages_;
};

TEST_F(SetupScreen, FirstRunOpensWithTheDefaults) {
    Form1& form = StartUp();
    EXPECT_EQ(form.windowTitle(), "DORVA II Set Up");

    // The other lists' entries show in the round trip through the saved settings.
    EXPECT_EQ(form.EnemyComboList->count(), 3);
    EXPECT_EQ(form.YearComboList->itemText(8) + form.MonthComboList->itemText(11), "1946December");
    EXPECT_EQ(Shown(form),
              QStringList({"vs. American", "1939", "September", "AC# = 3", "Hold Attitude", "No A1 Modifier",
                           "No A5 Modifier", "Forts not special", "HexGrainLongRB SeeRollsCB"}));
    EXPECT_EQ(form.LogFileName->text(), "DORVALog.txt");
    EXPECT_EQ(setup::gA1DRM, 0);
    EXPECT_EQ(voice::gWhatCanISayText, "Say \"activation\".\r\n");
    EXPECT_TRUE(messages_.empty());
}

struct SpeechCase {
    const char* name;
    long voiceError, contextError, loadError;
    bool speechEnabled, recognizeEnabled, errorsEnabled;
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
    EXPECT_EQ(form.Label7->isEnabled(), c.recognizeEnabled); // the sound level
    EXPECT_EQ(form.SpeechErrorsBnt->isEnabled(), c.errorsEnabled);
    form.SpeechErrorsBnt_Click();
    EXPECT_EQ(dialogs_.messages, QStringList({c.errors}));
    EXPECT_TRUE(messages_.empty());
    // Saved preferences may still say "on"; without a voice nothing is spoken.
    data::gSpeak = 1;
    data::SpeakText("hello", data::kSpeakAsync);
    EXPECT_EQ(platform_.spoken.size(), c.speechEnabled ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Engines, SpeechStartUp,
    ::testing::Values(SpeechCase{"Both", 0, 0, 0, true, true, false, "TTS = 0\r\nSR = 0"},
                      SpeechCase{"NoGrammar", 0, 0, 5005, true, false, true, "TTS = 0\r\nSR = 5005"},
                      SpeechCase{"NoVoice", 77, 0, 0, false, true, true, "TTS = 77\r\nSR = 0"},
                      SpeechCase{"Neither", 1001, 1002, 0, false, false, true, "TTS = 1001\r\nSR = 1002"}),
    [](const ::testing::TestParamInfo<SpeechCase>& engines) { return std::string(engines.param.name); });

TEST_F(SetupScreen, MissingTableFileEndsStartUpBeforeSettingsAndTables) {
    folder_.Remove("config.sco");
    UserIni()->setValue("Params/Year", 7);
    EXPECT_THROW(gui::Window<Form1>().LoadGameData(), data::ProgramEnded);
    EXPECT_EQ(messages_, std::vector<std::string>({"DORVA_Support/config.sco is not found."}));
    EXPECT_EQ(setup::gYearIndex, 1); // the saved 7 was never read
    EXPECT_TRUE(data::gTableA1.empty() && voice::gWhatCanISayText.empty());
    EXPECT_EQ(StoredSetting("FileName") + StoredSetting("Year"), "7"); // nothing was written
}

TEST_F(SetupScreen, MissingTablesAreNamedOnceAndStartUpGoesOn) {
    folder_.Write("config.sco", TableFile({"4B", "9E"}));
    StartUp();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].find("4B, 9E") != std::string::npos &&
                messages_[0].find("DORVA_Support/config.sco") != std::string::npos)
        << messages_[0];
    EXPECT_EQ(data::gTable4C, data::ListTable({"", "4C 1", "4C 2"}));
    EXPECT_EQ(voice::gWhatCanISayText, "Say \"activation\".\r\n");
}

TEST_F(SetupScreen, NoNationalityFileEndsTheProgram) {
    for (const char* file : {"German.sdf", "American.sdf", "Russian.sdf"}) {
        folder_.Remove(file);
    }
    gui::Window<Form1>().LoadGameData();
    EXPECT_THROW(gui::Window<Form1>().Form_Activate(), data::ProgramEnded);
    EXPECT_EQ(messages_, std::vector<std::string>({"No nationalities can be found."}));
}

TEST_F(SetupScreen, TheEnemyListIsRebuiltOnEveryActivation) {
    Form1& form = StartUp();
    form.EnemyComboList->setCurrentIndex(2);
    form.OKBtn_Click();
    folder_.Write("British.sdf", NationalityFile("British"));
    form.show();
    EXPECT_EQ(form.EnemyComboList->count(), 4);
    EXPECT_EQ(form.EnemyComboList->currentText(), "vs. German"); // a position, not a name
    folder_.Remove("Russian.sdf");
    folder_.Remove("German.sdf");
    form.Form_Activate();
    EXPECT_EQ(form.EnemyComboList->currentText(), "vs. American"); // beyond the list: the first
}

TEST_F(SetupScreen, ActivationShowsWhatOtherScreensChangedButKeepsTheMapAlignment) {
    Form1& form = StartUp();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible()); // the screen has no Cancel
    form.close();
    EXPECT_FALSE(form.Confirmed()); // closing before the first OK is not OK
    form.show();
    QTest::mouseClick(form.HexGrainShortRB, Qt::LeftButton);
    form.OKBtn_Click();
    // Changed elsewhere while the screen was hidden: the activation screen, the voice commands.
    setup::gACNumber = 5;
    setup::gAttitude = 1;
    setup::gA1DRM = -1;
    setup::gSeeRolls = 0;
    data::gKeepLogFile = 1;
    data::gSpeak = 1;
    setup::gHexGrain = 0;
    form.show();
    EXPECT_EQ(Shown(form), QStringList({"vs. American", "1939", "September", "AC# = 5", "Advance Attitude",
                                        "-1 A1 Modifier", "No A5 Modifier", "Forts not special",
                                        "HexGrainShortRB KeepLogFileCB SpeechCB ChangeLogFileBtn"}));
    EXPECT_EQ(setup::gA1DRM, -1);
    form.close();
    EXPECT_EQ(form.YearComboList->count(), 9); // only hidden: still filled for the next time
}

TEST_F(SetupScreen, OkRecordsTheScenarioAndSwitchesToThePlayWindows) {
    const std::tuple<int, int, int, const char*, const char*, const char*, const char*> cases[] = {
        {1, 5, 5, "German", "194306", "vs. German: June, 1943", "German squad"},
        {0, 0, 0, "American", "193801", "vs. American: January, 1938", "American early squad"}};
    Form1& form = gui::Window<Form1>();
    form.LoadGameData();
    for (const auto& [enemy, year, month, nationality, gameDate, title, squad] : cases) {
        form.show();
        form.EnemyComboList->setCurrentIndex(enemy);
        form.YearComboList->setCurrentIndex(year);
        form.MonthComboList->setCurrentIndex(month);
        form.ACComboList->setCurrentIndex(3);
        form.AttitudeComboList->setCurrentIndex(1);
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);

        EXPECT_EQ(setup::gNationality + " " + setup::gGameDate, std::string(nationality) + " " + gameDate);
        ASSERT_GE(data::gSquadTable.size(), 2u);
        EXPECT_EQ(data::gSquadTable[1][1], squad) << nationality;
        EXPECT_EQ(data::Entry(data::gLeaderTable, 1), std::string(nationality) + " 03");
        EXPECT_TRUE(form.Confirmed() && !form.isVisible());
        ASSERT_TRUE(gui::IsWindowVisible<Form4>() && gui::IsWindowVisible<Form2>());
        Form2& activation = gui::Window<Form2>();
        EXPECT_EQ(activation.MissionParametersTB->text(), title);
        EXPECT_EQ(activation.windowTitle(), QStringLiteral("Activation ") + title);
        // AC# = 5, advancing
        EXPECT_EQ(std::pair(activation.Combo1->currentIndex(), activation.AttitudeDL->currentIndex()),
                  std::pair(3, 1));
        activation.Combo1->setCurrentIndex(0); // so that the next OK has to hand them over again
        activation.AttitudeDL->setCurrentIndex(0);
    }
}

TEST_F(SetupScreen, SoundLevelOnlyWhileTheScreenIsUp) {
    Form1& form = StartUp();
    auto* context = static_cast<FakeSpeechPlatform::FakeContext*>(voice::gRecoContext.get());
    ASSERT_NE(context, nullptr);
    context->onAudioLevel(3);
    EXPECT_EQ(form.Label6->text(), "***");
    form.OKBtn_Click();
    EXPECT_EQ(context->interests & platform::kAudioLevelInterest, 0);
    form.show();
    EXPECT_EQ(context->interests & platform::kAudioLevelInterest, platform::kAudioLevelInterest);
    voice::gRecoContext->onFalseRecognition(platform::RecoResult{});
    EXPECT_EQ(vasl_.text, "(I'm sorry. I didn't understand you.)");
}

TEST_F(SetupScreen, LogFileOptions) {
    Form1& form = StartUp();
    form.ChangeLogFileBtn_Click(); // off: "Change Log File" does nothing
    EXPECT_TRUE(dialogs_.presets.isEmpty());
    form.KeepLogFileCB->click();
    dialogs_.answer = QStringLiteral("/tmp/games/sept.txt");
    form.ChangeLogFileBtn->click();
    dialogs_.answer.clear(); // cancelling keeps the name; the dialog offers the name it has
    form.ChangeLogFileBtn_Click();
    EXPECT_EQ(dialogs_.presets, QStringList({"DORVALog.txt", "/tmp/games/sept.txt"}));
    EXPECT_EQ(dialogs_.filters.first(), "DORVA Log Files (*.txt)");
    EXPECT_EQ(form.LogFileName->text(), "/tmp/games/sept.txt");

    // A path beyond Latin-1 reaches the log writer and the saved settings unharmed.
    const QString foreign = QStringLiteral("/tmp/Spiele/\u20ac-\u0160ach.txt");
    dialogs_.answer = foreign;
    form.ChangeLogFileBtn_Click();
    EXPECT_EQ(form.LogFileName->text(), foreign);
    EXPECT_EQ(data::gLogFileName, foreign.toStdString());
    setup::SaveUserSettings();
    setup::UserSettingsStore store;
    EXPECT_EQ(setup::GetParam(store, "FileLogName"), foreign.toStdString());
    form.KeepLogFileCB->click();
    EXPECT_FALSE(data::gKeepLogFile || form.ChangeLogFileBtn->isEnabled());
}

TEST_F(SetupScreen, ExitWritesTheChoicesAndTheNextRunOpensAsLeft) {
    Form1& form = StartUp();
    setup::SaveUserSettings(); // File > Exit before the first OK
    EXPECT_TRUE(UserIni()->fileName().endsWith(QStringLiteral("/DORVA2.ini")));
    EXPECT_EQ(StoredSetting("FileName") + StoredSetting("GameDate"), "");
    EXPECT_EQ(StoredSetting("A1DRM"), "2");

    for (const auto& [list, position] : {std::pair{form.EnemyComboList, 2},
                                         {form.YearComboList, 4},
                                         {form.MonthComboList, 0},
                                         {form.ACComboList, 2},
                                         {form.AttitudeComboList, 1},
                                         {form.A1DRMCB, 4},
                                         {form.A5DRMCB, 1},
                                         {form.FortsSpecialCB, 1}}) {
        list->setCurrentIndex(position);
    }
    EXPECT_EQ(std::vector<int>(
                  {setup::gACNumber, setup::gAttitude, setup::gA1DRM, setup::gA5DRM, setup::gFortsSpecial}),
              std::vector<int>({4, 1, 2, -1, 1}));
    for (QAbstractButton* option : std::initializer_list<QAbstractButton*>{
             form.HexGrainShortRB, form.SeeRollsCB, form.KeepLogFileCB, form.SpeechCB}) {
        QTest::mouseClick(option, Qt::LeftButton);
    }
    form.OKBtn_Click();
    setup::SaveUserSettings();
    EXPECT_EQ(QStringList({StoredSetting("FileName"), StoredSetting("GameDate"), StoredSetting("ACNumber"),
                           StoredSetting("A1DRM")}),
              QStringList({"Russian", "194201", "2", "4"}));

    gui::DestroyAllWindows();
    ResetProgramState();
    EXPECT_EQ(Shown(StartUp()), QStringList({"vs. Russian", "1942", "January", "AC# = 4", "Advance Attitude",
                                             "+2 A1 Modifier", "-1 A5 Modifier", "Forts on Final even A1",
                                             "HexGrainShortRB KeepLogFileCB SpeechCB ChangeLogFileBtn"}));
    EXPECT_EQ(std::vector<int>({setup::gACNumber, setup::gA1DRM, setup::gA5DRM}),
              std::vector<int>({4, 2, -1}));
}

} // namespace
} // namespace dorva
