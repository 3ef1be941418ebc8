#include "voice/gui/VoiceLessonsWindow.h"

#include "ui/Controls.h"
#include "ui/Text.h"
#include "voice/State.h"
#include "voice/VoiceLessons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

namespace dorva {

namespace {

constexpr int kLessonCount = static_cast<int>(std::size(voice::kLessonPhrases));

} // namespace

VoiceLessonsWindow::VoiceLessonsWindow(QWidget* parent) : QDialog(parent) {
    using ui::Named;
    setObjectName(QStringLiteral("VoiceLessonsWindow"));
    setWindowTitle(QStringLiteral("Voice Lessons"));
    // Over the set-up screen, which is modal: the lessons must be too, or they could not be used.
    setModal(true);

    Explanation = Named(new QLabel(this), "Explanation");
    Explanation->setWordWrap(true);
    Explanation->setText(QStringLiteral(
        "Say each phrase once, as you say commands at the table, then wait for the next one. DORVA "
        "learns how you say the numbers in them, so that your \"two\" is not taken for \"eight\". "
        "Nothing you say is obeyed until the lessons are over; they take about a minute. If you "
        "said a phrase wrong, press Back and say it again."));
    PhraseLabel = Named(new QLabel(this), "PhraseLabel");
    QFont big = PhraseLabel->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    PhraseLabel->setFont(big);
    PhraseLabel->setAlignment(Qt::AlignCenter);
    ProgressLabel = Named(new QLabel(this), "ProgressLabel");
    ProgressLabel->setAlignment(Qt::AlignCenter);
    StatusLabel = Named(new QLabel(this), "StatusLabel");
    StatusLabel->setWordWrap(true);
    StatusLabel->setMinimumHeight(StatusLabel->fontMetrics().height() * 3);
    // Empty between the steps: screen readers name them all the same.
    PhraseLabel->setAccessibleName(QStringLiteral("Phrase to say"));
    ProgressLabel->setAccessibleName(QStringLiteral("Lessons progress"));
    StatusLabel->setAccessibleName(QStringLiteral("What the lessons heard"));

    StartBtn = Named(new QPushButton(QStringLiteral("Start"), this), "StartBtn");
    BackBtn = Named(new QPushButton(QStringLiteral("Back"), this), "BackBtn");
    BackBtn->setToolTip(QStringLiteral("Say the phrase before this one again"));
    ForgetBtn = Named(new QPushButton(QStringLiteral("Forget My Numbers"), this), "ForgetBtn");
    ForgetBtn->setToolTip(QStringLiteral("Hear the numbers as the dictionary says them again"));
    CloseBtn = Named(new QPushButton(QStringLiteral("Close"), this), "CloseBtn");
    // Each button has room for the longest caption it shows, with its frame.
    for (const auto& [button, longest] :
         {std::pair{StartBtn, QStringLiteral("Start Again")}, std::pair{BackBtn, BackBtn->text()},
          std::pair{ForgetBtn, ForgetBtn->text()}, std::pair{CloseBtn, QStringLiteral("Cancel")}}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(longest) + ui::Twips(300));
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StartBtn);
    buttons->addWidget(BackBtn);
    buttons->addWidget(ForgetBtn);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Explanation);
    layout->addSpacing(ui::Twips(120));
    layout->addWidget(PhraseLabel);
    layout->addWidget(ProgressLabel);
    layout->addWidget(StatusLabel);
    layout->addLayout(buttons);
    setMinimumWidth(ui::Twips(7500));

    connect(StartBtn, &QPushButton::clicked, this, &VoiceLessonsWindow::StartBtn_Click);
    connect(BackBtn, &QPushButton::clicked, this, &VoiceLessonsWindow::BackBtn_Click);
    connect(ForgetBtn, &QPushButton::clicked, this, &VoiceLessonsWindow::ForgetBtn_Click);
    connect(CloseBtn, &QPushButton::clicked, this, &VoiceLessonsWindow::CloseBtn_Click);
    ShowIdle();
}

void VoiceLessonsWindow::Open() {
    if (!running_) {
        ShowIdle();
    }
    open();
}

void VoiceLessonsWindow::ShowStatus(const QString& text) {
    StatusLabel->setText(text);
    // A long message (a failure with the engine's reason) wraps to more lines than the window had:
    // it grows to show it whole rather than cut it off.
    layout()->activate();
    const int needed =
        layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width()) : sizeHint().height();
    if (needed > height()) {
        resize(width(), needed);
    }
}

void VoiceLessonsWindow::ShowIdle() {
    running_ = false;
    ShowPhrase(-1);
    ShowStatus(ui::ToQt(voice::LearntNowText(voice::gPlayerPronunciations)));
    StartBtn->setEnabled(voice::gRecoContext != nullptr);
    StartBtn->setText(QStringLiteral("Start"));
    ForgetBtn->setEnabled(!voice::gPlayerPronunciations.empty());
    CloseBtn->setText(QStringLiteral("Close"));
}

void VoiceLessonsWindow::StartBtn_Click() {
    if (!voice::gRecoContext) {
        return;
    }
    const QPointer<VoiceLessonsWindow> self(this);
    voice::gRecoContext->onLessonHeard = [self](int lesson, bool understood) {
        if (self) {
            self->LessonHeard(lesson, understood);
        }
    };
    voice::gRecoContext->onLessonsLearnt = [self](const platform::LessonsResult& result) {
        if (self) {
            self->LessonsLearnt(result);
        }
    };
    if (const long error = voice::gRecoContext->BeginLessons(); error != 0) {
        ShowStatus(QStringLiteral("The lessons cannot start: nothing is listening (error %1). "
                                  "See \"Speech Errors\" on the set-up screen.")
                       .arg(error));
        return;
    }
    running_ = true;
    StartBtn->setEnabled(false);
    ForgetBtn->setEnabled(false);
    CloseBtn->setText(QStringLiteral("Cancel"));
    StatusLabel->clear();
    ShowPhrase(0);
}

void VoiceLessonsWindow::ShowPhrase(int lesson) {
    shown_ = lesson;
    BackBtn->setEnabled(lesson > 0);
    if (lesson < 0) {
        PhraseLabel->clear();
        ProgressLabel->clear();
        return;
    }
    PhraseLabel->setText(
        QStringLiteral("\u201c%1\u201d").arg(ui::ToQt(std::string(voice::kLessonPhrases[lesson].words))));
    ProgressLabel->setText(QStringLiteral("Phrase %1 of %2").arg(lesson + 1).arg(kLessonCount));
}

void VoiceLessonsWindow::BackBtn_Click() {
    if (!running_ || shown_ <= 0 || !voice::gRecoContext) {
        return;
    }
    // Refused when the last phrase was heard meanwhile: its report, on its way, starts the learning.
    if (voice::gRecoContext->RepeatLesson(shown_ - 1)) {
        StatusLabel->clear();
        ShowPhrase(shown_ - 1);
    }
}

void VoiceLessonsWindow::LessonHeard(int lesson, bool understood) {
    // A report of another phrase than the one shown was on its way when Back was pressed: the
    // recogniser has gone back with the window.
    if (!running_ || lesson != shown_) {
        return;
    }
    if (!understood) {
        ShowStatus(QStringLiteral("(That did not sound like the phrase: say it again.)"));
        return;
    }
    StatusLabel->clear();
    if (lesson + 1 < kLessonCount) {
        ShowPhrase(lesson + 1);
        return;
    }
    ShowPhrase(-1);
    ShowStatus(QStringLiteral("Learning how you say the numbers\u2026"));
    // The learning cannot be called back; closing the window now leaves it to finish.
    CloseBtn->setText(QStringLiteral("Close"));
}

void VoiceLessonsWindow::LessonsLearnt(const platform::LessonsResult& result) {
    if (result.error == 0) {
        voice::gPlayerPronunciations = result.pronunciations;
    }
    ShowIdle();
    ShowStatus(ui::ToQt(voice::LessonsLearntText(result)));
    StartBtn->setText(QStringLiteral("Start Again"));
}

void VoiceLessonsWindow::ForgetBtn_Click() {
    voice::gPlayerPronunciations.clear();
    if (voice::gRecoContext) {
        voice::gRecoContext->SetPronunciations({});
    }
    ShowIdle();
}

void VoiceLessonsWindow::CloseBtn_Click() {
    reject();
}

void VoiceLessonsWindow::reject() {
    // Cancelled before the last phrase: commands are obeyed again, and what was learnt before stays.
    if (running_ && voice::gRecoContext && shown_ >= 0) {
        voice::gRecoContext->CancelLessons();
        ShowIdle();
    }
    QDialog::reject();
}

} // namespace dorva
