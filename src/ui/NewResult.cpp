#include "ui/NewResult.h"

#include "ui/Controls.h"

#include <QAccessible>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>

namespace dorva::ui {
namespace {

QString MarkName(const QWidget& control);

// A tint laid over the control rather than a change of its colours: the activation screen colours its
// result line itself, and the mark must neither take that colour away nor keep it.
class NewResultMark final : public QWidget {
public:
    explicit NewResultMark(QWidget& control) : QWidget(&control) {
        setObjectName(MarkName(control));
        setAccessibleName(QStringLiteral("New result"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        timer_.setSingleShot(true);
        timer_.setInterval(kNewResultMs);
        connect(&timer_, &QTimer::timeout, this, &QWidget::hide);
    }
    void Start() {
        setGeometry(parentWidget()->rect());
        raise();
        show();
        timer_.start();
    }
    bool On() const { return !isHidden() && timer_.isActive(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QColor tint = palette().color(QPalette::Highlight);
        tint.setAlpha(60);
        painter.fillRect(rect(), tint);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }

private:
    QTimer timer_;
};

QString MarkName(const QWidget& control) {
    return control.objectName() + QStringLiteral("NewMark");
}

ResultListener listener = nullptr;

void Tell(QAccessibleEvent& event) {
    if (listener != nullptr) {
        listener(event);
    } else {
        QAccessible::updateAccessibility(&event);
    }
}

NewResultMark* MarkOf(const QWidget& control) {
    return dynamic_cast<NewResultMark*>(
        control.findChild<QWidget*>(MarkName(control), Qt::FindDirectChildrenOnly));
}

} // namespace

void MarkNewResult(QWidget& control, bool unchanged) {
    NewResultMark* mark = MarkOf(control);
    if (mark == nullptr) {
        mark = new NewResultMark(control);
    }
    mark->Start();
    if (!unchanged) {
        return;
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(&control)) {
        const QString text = edit->toPlainText();
        QAccessibleTextUpdateEvent event(&control, 0, text, text);
        Tell(event);
    } else {
        QAccessibleEvent event(&control, QAccessible::NameChanged);
        Tell(event);
    }
}

void ShowResult(QLabel& label, const QString& text, bool fitted) {
    // A blank is no result: marking it would draw the eye to nothing.
    const bool unchanged = label.text() == text;
    if (fitted) {
        ShowFitted(label, text);
    } else {
        label.setText(text);
    }
    if (!text.isEmpty()) {
        MarkNewResult(label, unchanged);
    }
}

void SetResultListener(ResultListener newListener) {
    listener = newListener;
}

bool IsMarkedNew(const QWidget& control) {
    const NewResultMark* mark = MarkOf(control);
    return mark != nullptr && mark->On();
}

} // namespace dorva::ui
