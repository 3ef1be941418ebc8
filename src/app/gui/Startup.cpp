#include "app/gui/Startup.h"

#include "activation/gui/ActivationScreen.h"
#include "app/ProgramFolder.h"
#include "app/gui/SpeechModule.h"
#include "app/gui/Splash.h"
#include "app/gui/Toolbar.h"
#include "app/gui/VaslWindow.h"
#include "app/gui/VoiceCommands.h"
#include "data/State.h"
#include "platform/Seams.h"
#include "setup/State.h"
#include "setup/gui/SetupScreen.h"
#include "ui/Dialogs.h"
#include "ui/Pictures.h"
#include "ui/Screens.h"
#include "ui/Text.h"
#include "ui/Windows.h"
#include "voice/SpeechSetup.h"
#include "voice/State.h"
#include "voice/gui/VoiceLessonsWindow.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QLocale>
#include <QStandardPaths>
#include <QTime>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

namespace dorva::app {
namespace {

void CloseSplash() {
    if (frmSplash* splash = ui::ExistingWindow<frmSplash>()) {
        splash->close();
    }
}

// Message boxes; a message during loading would otherwise open beneath the splash, which some window
// managers keep on top, and the splash has done its work by then.
class ProgramDialogs final : public platform::Dialogs {
public:
    void Message(const std::string& text) override {
        CloseSplash();
        dialogs_.Message(text);
    }
    bool Ask(const std::string& question) override {
        CloseSplash();
        return dialogs_.Ask(question);
    }
    std::optional<std::string> SaveFileName(const std::string& caption, const std::string& preset,
                                            const std::string& filter) override {
        return dialogs_.SaveFileName(caption, preset, filter);
    }
    int RunModal(platform::ModalWindow& window) override { return dialogs_.RunModal(window); }

private:
    ui::WindowDialogs dialogs_;
};

// The locale's long time carries the time zone ("12:48:00 AM UTC"); a game log and a clock in the
// player's own time need none, so the zone is taken out of the format.
QString LongTimeFormatWithoutZone(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        }
        if (quoted || c != QLatin1Char('t')) {
            kept += c;
        }
    }
    return kept.simplified();
}

// The locale is the default one, which is the system's unless a test chose another.
class LocaleClock final : public platform::Clock {
public:
    std::string LogStamp() override {
        const QLocale locale;
        return (locale.toString(QDate::currentDate(), QLocale::ShortFormat) + QLatin1Char(' ') +
                TimeText(locale))
            .toStdString();
    }
    std::string TimeOfDay() override { return TimeText(QLocale()).toStdString(); }

private:
    static QString TimeText(const QLocale& locale) {
        return locale.toString(QTime::currentTime(), LongTimeFormatWithoutZone(locale));
    }
};

class EventLoopQuitter final : public platform::Quitter {
public:
    void QuitNow() override {
        // No window gets to run its closing code and nothing is saved.
        std::fflush(nullptr);
        std::_Exit(1);
    }
    // Leaves every running event loop, modal ones included; RunProgram destroys the windows once the
    // outermost loop has returned.
    void EndRun(int status) override { QCoreApplication::exit(status); }
};

class AppScreens final : public ui::Screens {
public:
    void ScenarioConfirmed(const QString& title) override {
        if (ui::IsWindowVisible<Form2>()) {
            ui::Window<Form2>().TakeScenarioParameters();
        }
        Form2& activation = ui::Window<Form2>();
        activation.ShowScenarioTitle(title);
        ui::ShowWindow<Form4>();
        ui::ShowWindow<Form2>();
    }
    void OpenVoiceLessons() override { ui::Window<VoiceLessonsWindow>().Open(); }
};

// Shows the splash and lets it paint before the loading keeps the event loop busy.
void ShowSplash() {
    frmSplash& splash = ui::Window<frmSplash>();
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

// What the thread that sets the speech engines up shares with the user-interface thread.
struct SpeechSetUpJob {
    std::shared_ptr<platform::SpeechPlatform> engines; // null: the program runs without speech
    platform::SpeechPlatform* platform = nullptr;      // the engines, or the seam's default
    std::mutex mutex;
    voice::SpeechEngineSet set; // after the engines, so that it goes before them
    bool done = false;
    bool abandoned = false;
};

// Sets the speech engines up once the set-up screen has been painted (or as it goes, should it go
// before): the screen never waits for the engines, which take longer to load than all else before it,
// and they are up a moment after it appears. Until then its speech controls are disabled.
//
// The set-up runs on a thread of its own: it talks to the sound server, and a server that is frozen
// rather than gone holds espeak-ng's output set-up for half a minute and each of the program's own
// waits for five seconds. The screen, the game and the program's end never wait for that.
class SpeechStart final : public QObject {
public:
    explicit SpeechStart(Form1& screen) : screen_(screen) { screen_.installEventFilter(this); }
    // The voice and the recogniser go before the engines that made them.
    ~SpeechStart() override {
        if (job_) {
            const std::lock_guard lock(job_->mutex);
            if (!job_->done) {
                // Still waiting on the sound server, and the program ends: the thread and all it
                // holds are left to the end of the process rather than freed under it.
                job_->abandoned = true;
                new std::shared_ptr<SpeechSetUpJob>(job_); // never freed, on purpose
                setUp_.detach();
            }
        }
        if (setUp_.joinable()) {
            setUp_.join();
        }
        voice::ResetState();
        platform::SetSpeechPlatform(nullptr);
        if (job_ && !job_->abandoned) {
            job_->set = {}; // set up, but not yet taken over
        }
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (!started_ && (event->type() == QEvent::Paint || event->type() == QEvent::Hide)) {
            started_ = true;
            screen_.removeEventFilter(this);
            // Once the paint in progress has reached the screen.
            QTimer::singleShot(0, this, &SpeechStart::Start);
        }
        return false;
    }

private:
    void Start() {
        job_ = std::make_shared<SpeechSetUpJob>();
        job_->engines = LoadSpeechEngines();
        platform::SetSpeechPlatform(job_->engines.get());
        job_->platform = &platform::CurrentSpeechPlatform();
        setUp_ = std::thread([this, job = job_] {
            voice::SpeechEngineSet set = voice::SetUpSpeechEngines(*job->platform);
            const std::lock_guard lock(job->mutex);
            job->set = std::move(set);
            job->done = true;
            if (!job->abandoned) {
                QMetaObject::invokeMethod(this, &SpeechStart::Finish, Qt::QueuedConnection);
            }
        });
    }

    void Finish() {
        voice::SpeechEngineSet set;
        {
            const std::lock_guard lock(job_->mutex);
            set = std::move(job_->set);
        }
        setUp_.join();
        screen_.StartSpeech(std::move(set));
        InstallVoiceCommands();
    }

    Form1& screen_;
    bool started_ = false;
    std::shared_ptr<SpeechSetUpJob> job_;
    std::thread setUp_;
};

} // namespace

void InstallProgramSeams(platform::SpeechPlatform* speech) {
    static ProgramDialogs dialogs;
    static LocaleClock clock;
    static EventLoopQuitter quitter;
    static VaslActivationWindow activationWindow;
    static AppScreens screens;
    platform::SetDialogs(&dialogs);
    platform::SetClock(&clock);
    platform::SetQuitter(&quitter);
    platform::SetActivationWindow(&activationWindow);
    platform::SetSpeechPlatform(speech);
    ui::SetScreens(&screens);
}

void ConfigureApplication(QApplication& app) {
    app.setApplicationName(QStringLiteral("DORVA2"));
    // No display name: on X11 Qt would append it to every window title ("DORVA II Set Up - DORVA II"),
    // and the titles are the program's own. The desktop entry gives the name "DORVA II".
    app.setDesktopFileName(QStringLiteral("org.dorva2.DORVA2"));
    app.setWindowIcon(ui::PictureIcon(QStringLiteral(":/pictures/dorva2.svg")));
    // The program ends through the toolbar (closed or File > Exit), whichever windows are still open.
    app.setQuitOnLastWindowClosed(false);

    const std::filesystem::path exeFolder(QCoreApplication::applicationDirPath().toStdString());
    data::gProgramFolder = FindProgramFolder(exeFolder, DORVA_INSTALL_DATADIR);
    // The dice statistics belong to the game, not to the settings: they live in the data folder.
    data::gDiceRecordFile =
        std::filesystem::path(
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()) /
        "DiceStatistics.txt";
    InstallProgramSeams();
}

int RunProgram() {
    ShowSplash();
    Form1& setupScreen = ui::Window<Form1>();
    setupScreen.LoadGameData();
    CloseSplash();
    SpeechStart speech(setupScreen);

    // The set-up screen's OK shows the toolbar and the activation screen; closed any other way
    // before the first OK, it ends the run with nothing saved.
    int status = 0;
    if (setupScreen.exec() == QDialog::Accepted) {
        status = QApplication::exec();
    }
    ui::DestroyAllWindows();
    return status;
}

} // namespace dorva::app
