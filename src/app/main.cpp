// DORVA II: a game assistant for solitaire play.
#include "app/gui/Startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    dorva::app::ConfigureApplication(app);
    return dorva::app::RunProgram();
}
