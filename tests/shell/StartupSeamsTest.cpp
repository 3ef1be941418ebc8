#include "FakeDialogs.h"
#include "data/Announce.h"
#include "data/Messages.h"
#include "shell/ProgramState.h"
#include "shell/Startup.h"
#include "shell/VaslWindow.h"
#include "shell/Windows.h"
#include "voice/SpeechState.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dorva {
namespace {

class StartupSeamsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        gui::InstallProgramSeams();
    }
    void TearDown() override {
        gui::DestroyAllWindows();
        data::SetMessageSink(nullptr);
        data::SetQuitHandler(nullptr);
        ResetProgramState(); // the log clock, log failure handler and window channel
        voice::gSpeechPlatform = nullptr;
    }
    test::FakeDialogs dialogs_;
};

TEST_F(StartupSeamsTest, MessagesGoToMessageBoxes) {
    data::ShowMessage("DORVA_Support/German.sdf is not found.", false);
    EXPECT_EQ(dialogs_.messages, QStringList({"DORVA_Support/German.sdf is not found."}));
}

TEST_F(StartupSeamsTest, MessagesNameFilesInUtf8AndQuoteTablesInLatin1) {
    data::ShowMessage("DORVA_Support/Fran\xc3\xa7"
                      "ais.sdf is not found.",
                      false);
    data::ShowMessage("Fran\xe7"
                      "ais",
                      false);
    EXPECT_EQ(dialogs_.messages, QStringList({QStringLiteral("DORVA_Support/Fran\u00e7ais.sdf is not found."),
                                              QStringLiteral("Fran\u00e7ais")}));
}

TEST_F(StartupSeamsTest, LogLinesCarryTheLocalesDateAndTime) {
    QTemporaryDir folder;
    data::gLogFileName = QDir(folder.path()).filePath("game.txt").toStdString();
    ASSERT_TRUE(data::WriteLogEntry("(S? removed)"));
    QFile log(QString::fromStdString(data::gLogFileName));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString line = QString::fromLatin1(log.readAll());
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    EXPECT_TRUE(line.startsWith(date + QLatin1Char(' '))) << line.toStdString();
    EXPECT_TRUE(line.endsWith(QStringLiteral(": (S? removed)\r\n"))) << line.toStdString();
}

TEST_F(StartupSeamsTest, AnUnwritableLogIsReportedOnceWithItsPath) {
    QTemporaryDir folder;
    data::gLogFileName = QDir(folder.path()).filePath("no-such-folder/game.txt").toStdString();
    EXPECT_FALSE(data::WriteLogEntry("first"));
    EXPECT_FALSE(data::WriteLogEntry("second"));
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_TRUE(dialogs_.messages.front().contains(QString::fromStdString(data::gLogFileName)));
    EXPECT_TRUE(dialogs_.messages.front().contains("cannot be written"));
}

TEST_F(StartupSeamsTest, ResultsReachTheVaslWindow) {
    Form8& window = gui::ShowWindow<Form8>();
    data::ShowInActivationWindow("DR = 9");
    EXPECT_EQ(window.Text1->toPlainText(), "DR = 9");
}

TEST_F(StartupSeamsTest, SpeechPlatformIsInstalledAndSpeaksNothing) {
    ASSERT_NE(voice::gSpeechPlatform, nullptr);
    std::unique_ptr<voice::Voice> voice;
    EXPECT_NE(voice::gSpeechPlatform->CreateVoice(voice), 0);
    EXPECT_EQ(voice, nullptr);
}

} // namespace
} // namespace dorva
