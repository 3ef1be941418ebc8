#pragma once
// Building controls the way every window of the program does: each has its object name, screens
// laid out in twips are placed in twips, and labels show table text as written.

#include "ui/Text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QString>
#include <QStringList>

class QComboBox;

namespace dorva::ui {

// The control with its object name (the same as its member's name).
template <class W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The control with its object name, placed at a rectangle given in twips.
template <class W> W* Place(W* widget, const char* name, int left, int top, int width, int height) {
    Named(widget, name)->setGeometry(Twips(left), Twips(top), Twips(width), Twips(height));
    return widget;
}

// A label placed in twips. Table texts are shown as written, also where one looks like markup.
inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                         int width, int height) {
    QLabel* label = Place(new QLabel(caption, parent), name, left, top, width, height);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Names a list by what it chooses, for screen readers: left to itself, Qt reads a list only by its
// current entry (or as nothing while it has none) and its drop-down part as an unnamed list.
void NameList(QComboBox& list, const QString& what);

// The screens' Arial: the system's sans-serif at that size.
inline QFont SansSerif(int points, bool bold = false) {
    QFont font(QStringLiteral("Arial"), points, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Whether the label shows the whole of its text at its size: wrapped where it wraps (no word wider
// than the label), on its lines where it does not.
bool TextFits(const QLabel& label);

// Shows text in the label at the label's own font or, where the text would not fit, at the largest
// smaller size that lets it fit (a player reads a smaller text better than a cut one).
void ShowFitted(QLabel& label, const QString& text);

// Sets the list's font to the largest size, up to its own, at which each of the entries shows whole in
// the closed list. The list's size hint then follows its entries, so that it tells what they need.
void FitList(QComboBox& list, const QStringList& entries);

// The busy pointer for the length of a step; given back however the step ends.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Return, Enter and Escape: the keys that put away a window that is only read, as its OK does (a
// window to read and put away wants no mouse).
inline bool IsPutAwayKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter || event.key() == Qt::Key_Escape;
}

} // namespace dorva::ui
