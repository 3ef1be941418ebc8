#include "setup/gui/SetupScreen.h"

#include "activation/gui/ActivationScreen.h"
#include "app/gui/Toolbar.h"
#include "app/gui/VaslWindow.h"
#include "setup/Settings.h"
#include "setup/gui/UserSettings.h"
#include "support/WindowTest.h"
#include "voice/gui/VoiceLessonsWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <gmock/gmock.h>

namespace dorva {
namespace {

using namespace ::testing;

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
             form.RecognizeCB, form.WakeWordCB, form.StopTalkedOverCB, form.ChangeLogFileBtn}) {
        if (qobject_cast<const QPushButton*>(option) ? option->isEnabled() : option->isChecked()) {
            on << option->objectName();
        }
    }
    return shown << on.join(' ');
}

class SetupScreen : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("DORVA2")).clear();
        folder.Write("config.sco", test::EveryTableFile());
        for (const std::string name : {"German", "American", "Russian"}) {
            folder.Write(name + ".sdf", test::NationalityFileBuilder(name.substr(0, 2)).bytes);
        }
    }
    // Start-up as the program runs it: the loader, the screen comes up, then the engines behind it.
    static Form1& StartUp() {
        Form1& form = ui::Window<Form1>();
        form.LoadGameData();
        form.show();
        form.StartSpeech();
        return form;
    }
    // Recognize checked; Speak, Recognize, the sound level (Label7) and Speech Errors enabled.
    static QList<bool> Boxes(const Form1& form) {
        return {form.RecognizeCB->isChecked(), form.SpeechCB->isEnabled(), form.RecognizeCB->isEnabled(),
                form.Label7->isEnabled(), form.SpeechErrorsBnt->isEnabled()};
    }
};

// Confirmed before the engines were up: they come up all the same, without the sound level.
TEST_F(SetupScreen, ConfirmedBeforeTheEnginesAreUp) {
    Form1& form = ui::Window<Form1>();
    form.LoadGameData();
    form.show();
    EXPECT_FALSE(form.SpeechCB->isEnabled() || form.RecognizeCB->isEnabled() ||
                 form.SpeechErrorsBnt->isEnabled());
    form.OKBtn_Click();
    form.StartSpeech();
    EXPECT_TRUE(form.SpeechCB->isEnabled());
    EXPECT_EQ(voice::gRecoContext->EventInterests() & platform::kAudioLevelInterest, 0);
}

TEST_F(SetupScreen, SpeechBoxesFollowTheEngines) {
    // clang-format off
    for (const auto& [voiceError, contextError, loadError, speaks, hears, errors] : {
             std::tuple{0L, 0L, 0L, true, true, "TTS = 0\r\nSR = 0"},
             {0L, 0L, 5005L, true, false, "TTS = 0\r\nSR = 5005\r\n\r\nListening: the speech service failed with error 5005."},
             {1001L, 0L, 0L, false, true, "TTS = 1001\r\nSR = 0\r\n\r\nSpeaking: the voice engine did not start."},
             {1003L, 1002L, 0L, false, false, "TTS = 1003\r\nSR = 1002\r\n\r\nSpeaking: the sound server cannot be reached. "
                                              "Start it (PulseAudio, or PipeWire with its PulseAudio service). Then start DORVA II again.\r\n"
                                              "Listening: the speech recogniser did not start"}}) {
        // clang-format on
        std::tie(speech.voiceError, speech.contextError, speech.loadError) =
            std::tie(voiceError, contextError, loadError);
        dialogs.messages.clear();
        Form1& form = StartUp();
        EXPECT_EQ(Boxes(form), QList<bool>({false, speaks, hears, hears, !speaks || !hears})) << errors;
        EXPECT_EQ(form.StopTalkedOverCB->isEnabled(), speaks && hears) << errors;
        form.SpeechErrorsBnt_Click();
        EXPECT_THAT(dialogs.messages, ElementsAre(StartsWith(errors)));
        ui::DestroyAllWindows();
    }
}

// Once the recogniser hears again, listening stays off until the player switches it on.
TEST_F(SetupScreen, ALateRecognitionFailureIsShownAndListeningComesBack) {
    // clang-format off
    for (const auto& [error, says] : {
             std::pair{platform::kErrNoAudioServer, "Listening: the sound server cannot be reached. Start it (PulseAudio, or "
                                                    "PipeWire with its PulseAudio service). \"Recognize speech\" can be checked "
                                                    "again as soon as it is back."},
             {platform::kErrNoMicrophone, "Listening: there is no microphone. Plug one in"},
             {platform::kErrNoAcousticModel, "Listening: the speech model cannot be loaded. Install the package pocketsphinx-en-us."}}) {
        // clang-format on
        Form1& form = StartUp();
        form.RecognizeCB->click();
        ASSERT_TRUE(form.RecognizeCB->isChecked() && form.RecognizeCB->isEnabled());
        voice::gRecoContext->onAudioLevel(4);
        voice::gRecoContext->onFailure(error);
        EXPECT_EQ(voice::gRecognize, 0);
        EXPECT_EQ(Boxes(form), QList<bool>({false, true, false, false, true}));
        EXPECT_EQ(form.Label6->text(), "");
        dialogs.messages.clear();
        form.SpeechErrorsBnt->click();
        EXPECT_THAT(dialogs.messages,
                    ElementsAre(AllOf(StartsWith("TTS = 0\r\nSR = " + std::to_string(error) + "\r\n\r\n"),
                                      HasSubstr(says))));

        voice::gRecoContext->onRecovery();
        EXPECT_EQ(Boxes(form), QList<bool>({false, true, true, true, false}));
        form.RecognizeCB->click();
        EXPECT_EQ(voice::gRecognize, 1);
        speech.calls.clear();
        form.WakeWordCB->click();
        EXPECT_EQ(speech.calls, std::vector<std::string>{"SetWakeWord 1"});
        ui::DestroyAllWindows();
        voice::ResetState();
    }
}

TEST_F(SetupScreen, TheEnemyListIsRebuiltOnEveryActivation) {
    Form1& form = StartUp();
    form.EnemyComboList->setCurrentIndex(2);
    form.OKBtn_Click();
    folder.Write("British.sdf", test::NationalityFileBuilder("BR").bytes);
    form.show();
    EXPECT_EQ(form.EnemyComboList->count(), 4);
    EXPECT_EQ(form.EnemyComboList->currentText(), "vs. German"); // a position, not a name
    folder.Remove("Russian.sdf");
    folder.Remove("German.sdf");
    form.Form_Activate();
    EXPECT_EQ(form.EnemyComboList->currentText(), "vs. American"); // beyond the list: the first
    folder.Remove("American.sdf");
    folder.Remove("British.sdf");
    EXPECT_THROW(form.Form_Activate(), data::ProgramEnded);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>({"No nationalities can be found."}));
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
    std::tie(setup::gACNumber, setup::gAttitude, setup::gA1DRM, setup::gHexGrain) = std::tuple{5, 1, -1, 0};
    voice::gSpeak = data::gKeepLogFile = 1;
    setup::gSeeRolls = 0;
    form.show();
    EXPECT_EQ(Shown(form),
              QStringList({"vs. American", "1939", "September", "AC# = 5", "Advance Attitude",
                           "-1 A1 Modifier", "No A5 Modifier", "Forts not special",
                           "HexGrainShortRB KeepLogFileCB SpeechCB StopTalkedOverCB ChangeLogFileBtn"}));
    form.close();
    EXPECT_EQ(form.YearComboList->count(), 9); // only hidden: still filled for the next time
}

// What a new activation screen takes is ActivationScreenTest's; the play windows coming up, the e2e runs'.
TEST_F(SetupScreen, OkSwitchesToThePlayWindowsAndHandsTheScenarioToTheActivationScreen) {
    Form1& form = StartUp();
    Form2& activation = ui::ShowWindow<Form2>();
    activation.Combo1->setCurrentIndex(0);
    activation.AttitudeDL->setCurrentIndex(0);
    // clang-format off
    for (const auto& [list, position] : {std::pair{form.EnemyComboList, 1}, {form.YearComboList, 5},
             {form.MonthComboList, 5}, {form.ACComboList, 3}, {form.AttitudeComboList, 1}}) {
        // clang-format on
        list->setCurrentIndex(position);
    }
    QTest::mouseClick(form.OKBtn, Qt::LeftButton);
    EXPECT_TRUE(form.Confirmed() && !form.isVisible() && ui::IsWindowVisible<Form4>());
    EXPECT_EQ(activation.MissionParametersTB->text(), "vs. German: June, 1943");
    EXPECT_EQ(activation.windowTitle(), "Activation vs. German: June, 1943");
    // AC# = 5, advancing.
    EXPECT_EQ(std::pair(activation.Combo1->currentIndex(), activation.AttitudeDL->currentIndex()),
              std::pair(3, 1));
}

TEST_F(SetupScreen, SoundLevelOnlyWhileTheScreenIsUp) {
    Form1& form = StartUp();
    auto* context = static_cast<test::FakeSpeechPlatform::Context*>(voice::gRecoContext.get());
    ASSERT_NE(context, nullptr);
    // The engines came up after the screen, and asked for the sound level themselves.
    EXPECT_EQ(context->interests & platform::kAudioLevelInterest, platform::kAudioLevelInterest);
    context->onAudioLevel(3);
    EXPECT_EQ(form.Label6->text(), "***");
    form.OKBtn_Click();
    EXPECT_EQ(context->interests & platform::kAudioLevelInterest, 0);
    form.show();
    EXPECT_EQ(context->interests & platform::kAudioLevelInterest, platform::kAudioLevelInterest);
    ui::ShowWindow<Form8>();
    voice::gRecoContext->onFalseRecognition(platform::RecoResult{});
    EXPECT_EQ(ui::Window<Form8>().Text1->toPlainText(), "(I'm sorry. I didn't understand you.)");
    platform::RecoResult bare;
    bare.lacksWakeWord = true;
    voice::gRecoContext->onFalseRecognition(bare);
    EXPECT_EQ(ui::Window<Form8>().Text1->toPlainText(), "(Say \"Dorva\" before the command.)");
    voice::gRecoContext->onSpokenOver();
    EXPECT_EQ(ui::Window<Form8>().Text1->toPlainText(), "(Speaking: say it again.)");
    // "Dorva" alone: the player is told to go on, unless listening is off and no command would follow.
    for (const auto& [listening, shown] : {std::pair<std::int16_t, QString>{0, "(Speaking: say it again.)"},
                                           {1, "(Dorva is listening: say the command.)"}}) {
        voice::gRecognize = listening;
        voice::gRecoContext->onWakeWord();
        EXPECT_EQ(ui::Window<Form8>().Text1->toPlainText(), shown);
    }
    // No command in time: the result the notice covered comes back (said twice, the notice covers
    // the result, not itself). A result shown meanwhile stays.
    voice::gRecoContext->onWakeWord();
    voice::gRecoContext->onWakeWordExpired();
    EXPECT_EQ(ui::Window<Form8>().Text1->toPlainText(), "(Speaking: say it again.)");
    voice::gRecoContext->onWakeWord();
    voice::gRecoContext->onFalseRecognition(platform::RecoResult{});
    voice::gRecoContext->onWakeWordExpired();
    EXPECT_EQ(ui::Window<Form8>().Text1->toPlainText(), "(I'm sorry. I didn't understand you.)");
}

TEST_F(SetupScreen, LogFileOptions) {
    Form1& form = StartUp();
    form.KeepLogFileCB->click();
    // A path beyond Latin-1 reaches the dialog, the log writer and the saved settings unharmed.
    const std::string foreign = "/tmp/Spiele/\u20ac-\u0160ach.txt";
    dialogs.answer = foreign;
    form.ChangeLogFileBtn->click();
    dialogs.answer.reset(); // cancelling keeps the name; the dialog offers the name it has
    form.ChangeLogFileBtn_Click();
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[0].preset + " " + dialogs.asked[1].preset, "DORVALog.txt " + foreign);
    EXPECT_EQ(dialogs.asked[0].filter, "DORVA Log Files (*.txt) | *.txt");
    EXPECT_EQ(form.LogFileName->text(), QString::fromStdString(foreign));
    // "Log every roll": on for a new player, offered while the log is kept, saved with the rest.
    EXPECT_TRUE(form.LogEveryRollCB->isChecked() && form.LogEveryRollCB->isEnabled());
    form.LogEveryRollCB->click();
    EXPECT_EQ(data::gLogEveryRoll, 0);
    setup::SaveUserSettings();
    setup::UserSettingsStore store;
    EXPECT_EQ(setup::GetParam(store, "FileLogName") + " " + setup::GetParam(store, "LogEveryRoll"),
              foreign + " 0");
    form.KeepLogFileCB->click();
    EXPECT_FALSE(data::gKeepLogFile || form.ChangeLogFileBtn->isEnabled() ||
                 form.LogEveryRollCB->isEnabled());
}

// The first run's defaults and what Exit writes of them are tests/e2e/first_run.sh's.
TEST_F(SetupScreen, ExitWritesTheChoicesAndTheNextRunOpensAsLeft) {
    Form1& form = StartUp();
    // clang-format off
    for (const auto& [list, position] : {std::pair{form.EnemyComboList, 2}, {form.YearComboList, 4},
             {form.MonthComboList, 0}, {form.ACComboList, 2}, {form.AttitudeComboList, 1}, {form.A1DRMCB, 4},
             {form.A5DRMCB, 1}, {form.FortsSpecialCB, 1}}) {
        // clang-format on
        list->setCurrentIndex(position);
    }
    for (QAbstractButton* option :
         std::initializer_list<QAbstractButton*>{form.HexGrainShortRB, form.SeeRollsCB, form.KeepLogFileCB,
                                                 form.SpeechCB, form.WakeWordCB, form.StopTalkedOverCB}) {
        QTest::mouseClick(option, Qt::LeftButton);
    }
    EXPECT_EQ(speech.stopWhenTalkedOver, false); // the recogniser heard of the box at once
    form.OKBtn_Click();
    setup::SaveUserSettings();

    ui::DestroyAllWindows();
    WindowTest::SetUp(); // a new run: the saved settings stay
    speech.stopWhenTalkedOver.reset();
    EXPECT_EQ(Shown(StartUp()),
              QStringList({"vs. Russian", "1942", "January", "AC# = 4", "Advance Attitude", "+2 A1 Modifier",
                           "-1 A5 Modifier", "Forts on Final even A1",
                           "HexGrainShortRB KeepLogFileCB SpeechCB WakeWordCB ChangeLogFileBtn"}));
    EXPECT_EQ(speech.stopWhenTalkedOver, false); // and the next recogniser as it was set up
}

// The lessons window walks the player through the phrases as the recogniser hears them, keeps what it
// learnt in the settings for the next run, and forgets it on request.
TEST_F(SetupScreen, VoiceLessonsTeachTheRecogniserAndTheNextRunHearsWithIt) {
    Form1& form = StartUp();
    Press(form, "VoiceLessonsBtn");
    VoiceLessonsWindow* lessons = ui::ExistingWindow<VoiceLessonsWindow>();
    ASSERT_TRUE(lessons && lessons->isVisible());
    const auto shown = [lessons] {
        return QStringList{lessons->PhraseLabel->text(), lessons->ProgressLabel->text(),
                           lessons->StatusLabel->text()};
    };
    EXPECT_EQ(shown(), QStringList({"", "", "DORVA hears the numbers as its dictionary says them."}));
    EXPECT_FALSE(lessons->ForgetBtn->isEnabled());

    Press(*lessons, "StartBtn");
    EXPECT_EQ(speech.lessonsBegun, 1);
    EXPECT_EQ(shown(), QStringList({"\u201c"
                                    "attack using one even\u201d",
                                    "Phrase 1 of 15", ""}));
    EXPECT_EQ(lessons->CloseBtn->text(), "Cancel");
    voice::gRecoContext->onLessonHeard(0, false);
    EXPECT_EQ(shown(),
              QStringList({"\u201c"
                           "attack using one even\u201d",
                           "Phrase 1 of 15", "(That did not sound like the phrase: say it again.)"}));
    voice::gRecoContext->onLessonHeard(0, true);
    EXPECT_EQ(shown(), QStringList({"\u201c"
                                    "attack using two even\u201d",
                                    "Phrase 2 of 15", ""}));
    for (int lesson = 1; lesson < 15; ++lesson) {
        voice::gRecoContext->onLessonHeard(lesson, true);
    }
    EXPECT_EQ(shown(), QStringList({"", "", "Learning how you say the numbers\u2026"}));

    platform::LessonsResult failed;
    failed.error = platform::kErrNoAcousticModel;
    failed.detail = "PocketSphinx could not load the model /usr/share/pocketsphinx/model/en-us/en-us: ERROR: "
                    "\"acmod.c\", line 83: Folder does not contain acoustic model definition 'mdef'";
    voice::gPlayerPronunciations = "four=F AO L R";
    voice::gRecoContext->onLessonsLearnt(failed);
    EXPECT_EQ(voice::gPlayerPronunciations, "four=F AO L R"); // a failure changes nothing
    EXPECT_TRUE(test::ShowsWhole(*lessons->StatusLabel));     // the window grows to the engine's reason
    platform::LessonsResult learnt;
    learnt.pronunciations = "two=T EH UW;thirty=TH AH T IY";
    learnt.heardRight = 15;
    learnt.lessons = 15;
    voice::gRecoContext->onLessonsLearnt(learnt);
    EXPECT_EQ(shown(), QStringList({"", "",
                                    "Learnt how you say two and thirty. With that, 15 of the 15 phrases were "
                                    "heard right. DORVA listens with it from now on."}));
    EXPECT_TRUE(lessons->ForgetBtn->isEnabled());
    lessons->PhraseLabel->setText(QStringLiteral("\u201cinfantry fire table eleven\u201d"));
    QCoreApplication::processEvents();
    for (const QWidget* control :
         std::initializer_list<const QWidget*>{lessons->PhraseLabel, lessons->StartBtn, lessons->BackBtn,
                                               lessons->ForgetBtn, lessons->CloseBtn}) {
        EXPECT_TRUE(test::ShowsWhole(*control));
    }
    Press(*lessons, "CloseBtn");
    EXPECT_FALSE(lessons->isVisible());
    EXPECT_EQ(speech.lessonsCancelled, 0);
    form.OKBtn_Click();
    setup::SaveUserSettings();

    ui::DestroyAllWindows();
    WindowTest::SetUp();
    speech.pronunciations.reset();
    Press(StartUp(), "VoiceLessonsBtn");
    EXPECT_EQ(speech.pronunciations, "two=T EH UW;thirty=TH AH T IY");
    lessons = ui::ExistingWindow<VoiceLessonsWindow>();
    EXPECT_EQ(lessons->StatusLabel->text(), "DORVA hears you say two and thirty your own way.");
    Press(*lessons, "ForgetBtn");
    EXPECT_EQ(speech.pronunciations, "");
    EXPECT_EQ(voice::gPlayerPronunciations, "");
    EXPECT_FALSE(lessons->ForgetBtn->isEnabled());
}

// Back after a slip: the phrase before is shown and taken again, a report of the phrase left behind
// that was on its way is ignored, and a Back the recogniser refuses (its learning began) changes
// nothing.
TEST_F(SetupScreen, VoiceLessonsGoBackAPhrase) {
    Press(StartUp(), "VoiceLessonsBtn");
    VoiceLessonsWindow& lessons = *ui::ExistingWindow<VoiceLessonsWindow>();
    EXPECT_FALSE(lessons.BackBtn->isEnabled());
    Press(lessons, "StartBtn");
    EXPECT_FALSE(lessons.BackBtn->isEnabled()); // nothing before the first phrase
    voice::gRecoContext->onLessonHeard(0, true);
    voice::gRecoContext->onLessonHeard(1, true);
    voice::gRecoContext->onLessonHeard(2, false);
    Press(lessons, "BackBtn");
    EXPECT_EQ(speech.lessonsRepeated, std::vector<int>{1});
    EXPECT_EQ(lessons.PhraseLabel->text(), "\u201cattack using two even\u201d");
    EXPECT_EQ(lessons.ProgressLabel->text(), "Phrase 2 of 15");
    EXPECT_EQ(lessons.StatusLabel->text(), "");
    voice::gRecoContext->onLessonHeard(2, true);
    EXPECT_EQ(lessons.ProgressLabel->text(), "Phrase 2 of 15");
    voice::gRecoContext->onLessonHeard(1, true);
    EXPECT_EQ(lessons.ProgressLabel->text(), "Phrase 3 of 15");

    speech.repeatRefused = true;
    Press(lessons, "BackBtn");
    EXPECT_EQ(lessons.ProgressLabel->text(), "Phrase 3 of 15");
    for (int lesson = 2; lesson < 15; ++lesson) {
        voice::gRecoContext->onLessonHeard(lesson, true);
    }
    EXPECT_FALSE(lessons.BackBtn->isEnabled()); // learning
}

// Cancelled half-way, the recogniser goes back to commands; lessons that cannot start say why.
TEST_F(SetupScreen, VoiceLessonsCancelledOrRefused) {
    Form1& form = StartUp();
    Press(form, "VoiceLessonsBtn");
    VoiceLessonsWindow& lessons = *ui::ExistingWindow<VoiceLessonsWindow>();
    Press(lessons, "StartBtn");
    voice::gRecoContext->onLessonHeard(0, true);
    Press(lessons, "CloseBtn");
    EXPECT_EQ(speech.lessonsCancelled, 1);
    EXPECT_FALSE(lessons.isVisible());
    // A late event of the lessons given up changes nothing.
    voice::gRecoContext->onLessonHeard(1, true);
    Press(form, "VoiceLessonsBtn");
    EXPECT_EQ(lessons.PhraseLabel->text(), "");
    EXPECT_TRUE(lessons.StartBtn->isEnabled());

    speech.lessonsError = platform::kErrNoAudioServer;
    Press(lessons, "StartBtn");
    EXPECT_EQ(lessons.StatusLabel->text(), "The lessons cannot start: nothing is listening (error 1003). See "
                                           "\"Speech Errors\" on the set-up screen.");
    EXPECT_EQ(lessons.PhraseLabel->text(), "");
    // Without a recogniser there is nothing to teach.
    voice::gRecoContext->onFailure(platform::kErrNoAudioServer);
    EXPECT_FALSE(form.VoiceLessonsBtn->isEnabled());
}

} // namespace
} // namespace dorva
