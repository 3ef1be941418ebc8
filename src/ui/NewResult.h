#pragma once
// A new result looks new: a roll that gives the same text as the one before would otherwise leave the
// screen as it was, and the player could not tell whether the key press was taken.

#include <QString>

class QAccessibleEvent;
class QLabel;
class QWidget;

namespace dorva::ui {

// How long a new result stays marked: long enough to catch the eye, and gone before the next roll.
inline constexpr int kNewResultMs = 700;

// Marks what the control shows as a new result for a moment, and tells screen readers. Qt tells them
// of a changed text only, so unchanged says that the new result is the text already shown.
void MarkNewResult(QWidget& control, bool unchanged);

// Shows the text in the label as a new result; with fitted, at the largest size up to the label's
// own that shows it whole (see ShowFitted).
void ShowResult(QLabel& label, const QString& text, bool fitted = false);

// Where the word of a new result goes: to the screen readers, or, for a test, to the listener given
// (nullptr: the screen readers again). Qt's own word of a changed text goes to the screen readers.
using ResultListener = void (*)(QAccessibleEvent& event);
void SetResultListener(ResultListener listener);

// Whether the control is marked as showing a new result just now.
bool IsMarkedNew(const QWidget& control);

} // namespace dorva::ui
