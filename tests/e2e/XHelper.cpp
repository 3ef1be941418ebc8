// What the end-to-end runs need of the X server beyond xdotool:
//   dorva-e2e-x clipboard   prints the clipboard's text (a message box copies its text on Ctrl+C)
//   dorva-e2e-x close ID    asks window ID to close, as a window manager's close button does
#include <QClipboard>
#include <QGuiApplication>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int PrintClipboard(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    return text.isEmpty() ? 1 : 0;
}

int CloseWindow(const char* id) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(std::strtoul(id, nullptr, 0));
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(display);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "clipboard") == 0) {
        return PrintClipboard(argc, argv);
    }
    if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
        return CloseWindow(argv[2]);
    }
    std::fprintf(stderr, "usage: dorva-e2e-x clipboard | close WINDOW-ID\n");
    return 2;
}
