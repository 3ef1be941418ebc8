#include "app/gui/MiniControls.h"

#include "activation/gui/ActivationScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "ui/Text.h"
#include "ui/Windows.h"

#include <QPushButton>

#include <algorithm>

namespace dorva {
namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

Form12::Form12(QWidget* parent) : QWidget(parent, Qt::Window) {
    using ui::Twips;
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Activation Controls"));

    Command1 = Button(this, "Command1", QStringLiteral("DR"));
    Command2 = Button(this, "Command2", QStringLiteral("dr"));
    Command3 = Button(this, "Command3", QStringLiteral("Man. Act"));
    // Three equal buttons of 700 x 300 twips with 60 twips between them, widened all alike where the
    // system's font needs more room for "Man. Act".
    int width = Twips(700);
    for (const QPushButton* button : {Command1, Command2, Command3}) {
        width = std::max(width, button->sizeHint().width());
    }
    const int gap = Twips(60);
    int left = gap;
    for (QPushButton* button : {Command1, Command2, Command3}) {
        button->setGeometry(left, gap, width, Twips(300));
        left += width + gap;
    }
    setFixedSize(std::max(Twips(2340), left), Twips(420));

    connect(Command1, &QPushButton::clicked, this, &Form12::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form12::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form12::Command3_Click);
}

// "DR" and "dr" roll on the random numbers screen even while it is closed: it is created hidden, and
// its results still reach the VASL activation window and the voice.
void Form12::Command1_Click() {
    ui::Window<Form6>().TwoDR_Click();
}

void Form12::Command2_Click() {
    ui::Window<Form6>().SingleDR_Click();
}

void Form12::Command3_Click() {
    // Runs on the activation screen even while it is closed: it is created hidden and its results
    // still reach the VASL activation window and the game log.
    ui::Window<Form2>().ManualActivation_Click();
}

} // namespace dorva
