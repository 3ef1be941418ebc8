// The yardstick of the start-up benchmark: the least a Qt Widgets program does before its first
// window is on screen. It shows one empty window and leaves right after that window's first paint.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

class EmptyWindow final : public QWidget {
protected:
    bool event(QEvent* e) override {
        const bool handled = QWidget::event(e);
        if (e->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [] { std::_Exit(0); });
        }
        return handled;
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    EmptyWindow window;
    window.resize(400, 300);
    window.show();
    QApplication::exec();
    return 2; // never painted
}
