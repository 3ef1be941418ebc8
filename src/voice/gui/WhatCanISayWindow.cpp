#include "voice/gui/WhatCanISayWindow.h"

#include "ui/Controls.h"
#include "ui/Text.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dorva {

Form7::Form7(QWidget* parent) : QWidget(parent, Qt::Window) {
    using ui::Twips;
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("What Can I Say?"));
    setFixedSize(Twips(5085), Twips(4155));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(Twips(120), Twips(120), Twips(4815), Twips(3375));
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setAccessibleName(QStringLiteral("What you can say"));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips(1935), Twips(3615), Twips(1215), Twips(375));
    Command1->setDefault(true);

    connect(Command1, &QPushButton::clicked, this, &Form7::Command1_Click);
}

void Form7::Command1_Click() {
    close();
}

void Form7::keyPressEvent(QKeyEvent* event) {
    if (ui::IsPutAwayKey(*event)) {
        Command1_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace dorva
