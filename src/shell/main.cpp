// DORVA II: a game assistant for solitaire play.
#include "shell/Startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    dorva::gui::ConfigureApplication(app);
    return dorva::gui::RunProgram();
}
