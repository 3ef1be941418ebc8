#include "shell/Startup.h"

#include "data/Announce.h"
#include "data/Messages.h"
#include "data/SupportFolder.h"
#include "setup/SetupScreen.h"
#include "shell/Dialogs.h"
#include "shell/Pictures.h"
#include "shell/ProgramFolder.h"
#include "shell/Splash.h"
#include "shell/Text.h"
#include "shell/VaslWindow.h"
#include "shell/Windows.h"
#include "platform/NullSpeechPlatform.h"
#include "voice/SpeechState.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QLocale>
#include <QStringDecoder>
#include <QTime>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace dorva::gui {
namespace {

void CloseSplash() {
    if (frmSplash* splash = ExistingWindow<frmSplash>()) {
        splash->close();
    }
}

// A message of the logic layer may name a file (the file system's UTF-8) or quote table text
// (Latin-1); text that is not valid UTF-8 is taken as Latin-1.
QString MessageToQt(const std::string& message) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArrayView(message.data(), static_cast<qsizetype>(message.size())));
    return utf8.hasError() ? ToQt(message) : text;
}

std::string LogStamp() {
    const QLocale locale = QLocale::system();
    return FromQt(locale.toString(QDate::currentDate(), QLocale::ShortFormat) + QLatin1Char(' ') +
                  locale.toString(QTime::currentTime(), QLocale::LongFormat));
}

} // namespace

void InstallProgramSeams() {
    data::SetMessageSink([](const std::string& message) {
        // A message during loading would otherwise open beneath the splash, which some window
        // managers keep on top; the splash has done its work by then.
        CloseSplash();
        CurrentDialogs().Message(nullptr, MessageToQt(message));
    });
    data::SetQuitHandler([] {
        // Ends at once: no window gets to run its closing code and nothing is saved.
        std::fflush(nullptr);
        std::_Exit(1);
    });
    data::SetLogClock(LogStamp);
    data::SetLogFailureHandler([](const std::string& path) {
        CurrentDialogs().Message(nullptr,
                                 QStringLiteral("The game log %1 cannot be written; the game goes on "
                                                "without it.")
                                     .arg(NameToQt(path)));
    });
    InstallActivationWindowChannel();
    static platform::NullSpeechPlatform speechPlatform;
    voice::gSpeechPlatform = &speechPlatform;
}

namespace {

// Shows the splash and lets it paint before the loading keeps the event loop busy.
void ShowSplash() {
    frmSplash& splash = Window<frmSplash>();
    splash.show();
    // One round of events paints it once the window system has mapped it; on a real display that
    // can take a moment, so wait for it briefly (never long: the splash is only decoration).
    QElapsedTimer waited;
    waited.start();
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    } while (splash.windowHandle() && !splash.windowHandle()->isExposed() && waited.elapsed() < 300);
    QCoreApplication::processEvents();
}

} // namespace

void ConfigureApplication(QApplication& app) {
    app.setApplicationName(QStringLiteral("DORVA2"));
    // No display name: on X11 Qt would append it to every window title ("DORVA II Set Up - DORVA II"),
    // and the titles are the program's own. The desktop entry gives the name "DORVA II".
    app.setDesktopFileName(QStringLiteral("dorva2"));
    app.setWindowIcon(PictureIcon(QStringLiteral(":/pictures/dorva2.svg")));
    // The program ends through the toolbar (closed or File > Exit), whichever windows are still open.
    app.setQuitOnLastWindowClosed(false);

    const std::filesystem::path exeFolder(QCoreApplication::applicationDirPath().toStdString());
    data::gProgramFolder = shell::FindProgramFolder(exeFolder, DORVA_INSTALL_DATADIR);
    InstallProgramSeams();
}

int RunProgram() {
    ShowSplash();
    Form1& setupScreen = Window<Form1>();
    setupScreen.LoadGameData();
    CloseSplash();

    // The set-up screen's OK shows the toolbar and the activation screen; closed any other way
    // before the first OK, it ends the run with nothing saved.
    int status = 0;
    if (setupScreen.exec() == QDialog::Accepted) {
        status = QApplication::exec();
    }
    DestroyAllWindows();
    return status;
}

} // namespace dorva::gui
