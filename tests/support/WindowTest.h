#pragma once
// The fixture of every window test: the program's own windows behind the seams, and none left behind.

#include "app/gui/Startup.h"
#include "support/ProgramTest.h"
#include "ui/Windows.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <initializer_list>
#include <ostream>
#include <utility>

// Failures show texts, not bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace dorva::test {

class WindowTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ui::WindowPlaces().clear();
        app::InstallProgramSeams();
        InstallFakes();
    }
    void TearDown() override {
        ui::DestroyAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::WindowPlaces().clear();
        ProgramTest::TearDown();
    }

    static void Press(QWidget& window, const char* name) {
        if (auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name))) {
            button->click();
        } else if (auto* item = window.findChild<QAction*>(QString::fromLatin1(name))) {
            item->trigger();
        } else {
            ADD_FAILURE() << "no control " << name << " in " << window.objectName().toStdString();
        }
    }
};

// What a control shows: a list's entries joined by "|", a frame's or menu's title, or a caption.
inline QString Shown(const QObject* control) {
    if (auto* list = qobject_cast<const QComboBox*>(control)) {
        QStringList entries;
        for (int i = 0; i < list->count(); ++i) {
            entries << list->itemText(i);
        }
        return entries.join('|');
    }
    return control->property(control->property("title").isValid() ? "title" : "text").toString();
}

inline void ExpectCaptions(const QObject& window,
                           std::initializer_list<std::pair<const char*, const char*>> captions) {
    for (const auto& [name, shown] : captions) {
        const QObject* control = window.findChild<QObject*>(QString::fromLatin1(name));
        EXPECT_EQ(control ? Shown(control) : QStringLiteral("(no such control)"), QString::fromLatin1(shown))
            << name;
    }
}

// Shown whole: a wrapped label within its height, a line edit's text within its width, a push button's
// caption with room for its frame (one without shows a picture drawn at its size), others in their size hint.
inline ::testing::AssertionResult ShowsWhole(const QWidget& control) {
    QSize needed = control.sizeHint();
    if (auto* label = qobject_cast<const QLabel*>(&control); label && label->wordWrap()) {
        needed = QSize(label->width(), label->heightForWidth(label->width()));
    } else if (auto* edit = qobject_cast<const QLineEdit*>(&control)) {
        needed =
            QSize(edit->fontMetrics().horizontalAdvance(edit->text()) + 8, edit->minimumSizeHint().height());
    } else if (auto* button = qobject_cast<const QPushButton*>(&control)) {
        needed = button->text().isEmpty()
                     ? QSize(0, 0)
                     : button->fontMetrics().size(Qt::TextShowMnemonic, button->text()) + QSize(12, 6);
    }
    if (needed.width() <= control.width() && needed.height() <= control.height()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << control.objectName().toStdString() << " needs " << needed.width() << "x" << needed.height()
           << " for " << control.property("text").toString().toStdString();
}

} // namespace dorva::test
