#include "app/gui/MiniControls.h"

#include "activation/gui/ActivationScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "ui/Text.h"
#include "ui/Windows.h"

#include <QPushButton>

namespace dorva {
namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, int left) {
    using ui::Twips;
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(Twips(left), Twips(60), Twips(700), Twips(300));
    return button;
}

} // namespace

Form12::Form12(QWidget* parent) : QWidget(parent, Qt::Window) {
    using ui::Twips;
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Activation Controls"));
    setFixedSize(Twips(2340), Twips(420));

    Command1 = Button(this, "Command1", QStringLiteral("DR"), 60);
    Command2 = Button(this, "Command2", QStringLiteral("dr"), 820);
    Command3 = Button(this, "Command3", QStringLiteral("Man. Act"), 1580);

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
