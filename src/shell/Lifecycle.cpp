#include "shell/Lifecycle.h"

#include <QCoreApplication>

namespace dorva::gui {
namespace {
ProgramEndHandler& Handler() {
    static ProgramEndHandler handler;
    return handler;
}
} // namespace

void SetProgramEndHandler(ProgramEndHandler handler) {
    Handler() = std::move(handler);
}

void EndProgram(int status) {
    if (Handler()) {
        Handler()(status);
        return;
    }
    // Leaves every running event loop, modal ones included; the program's main destroys the windows
    // once the outermost loop has returned.
    QCoreApplication::exit(status);
}

} // namespace dorva::gui
