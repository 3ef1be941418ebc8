#pragma once

#include "platform/SpeechPlatform.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace dorva {

// The voice lessons: the player reads out a short list of commands, one at a time, and the
// recogniser learns how this player says the numbers in them. Opened from the set-up screen.
class VoiceLessonsWindow : public QDialog {
    Q_OBJECT

public:
    explicit VoiceLessonsWindow(QWidget* parent = nullptr);

    QLabel* Explanation;
    QLabel* PhraseLabel;   // the phrase to say now
    QLabel* ProgressLabel; // "Phrase 3 of 15"
    QLabel* StatusLabel;   // a phrase not understood, the learning, what was learnt
    QPushButton* StartBtn;
    QPushButton* BackBtn; // the phrase before this one again, after a slip
    QPushButton* ForgetBtn;
    QPushButton* CloseBtn;

    // Comes up over the set-up screen; lessons that are being learnt from are shown as they stand.
    void Open();
    // Shows what is learnt now and offers the lessons.
    void ShowIdle();
    void StartBtn_Click();
    void BackBtn_Click();
    void ForgetBtn_Click();
    void CloseBtn_Click();

    // The recogniser's events while the lessons go on.
    void LessonHeard(int lesson, bool understood);
    void LessonsLearnt(const platform::LessonsResult& result);

protected:
    void reject() override;

private:
    void ShowPhrase(int lesson);
    void ShowStatus(const QString& text);
    bool running_ = false; // between Start and the learning's end
    int shown_ = -1;       // the lesson whose phrase is shown, -1 when none is
};

} // namespace dorva
