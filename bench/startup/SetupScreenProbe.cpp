// The program's own start-up, ended as soon as the set-up screen has been painted for the first time.
//
// It runs the very code of the dorva2 program (ConfigureApplication and RunProgram) and
// watches the application's events from outside: the first paint of the set-up screen means the player can
// see it, so the probe leaves right after that paint has finished. The program itself has no option for this;
// only the benchmark builds the probe.
#include "app/gui/Startup.h"
#include "setup/gui/SetupScreen.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdlib>

namespace {

class SetupScreenWatch final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<dorva::Form1*>(watched) != nullptr && !seen_) {
            seen_ = true;
            // Runs once the paint in progress has been delivered.
            QTimer::singleShot(0, this, [] { std::_Exit(0); });
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetupScreenWatch watch;
    app.installEventFilter(&watch);
    dorva::app::ConfigureApplication(app);
    dorva::app::RunProgram();
    return 2; // the set-up screen never appeared
}
