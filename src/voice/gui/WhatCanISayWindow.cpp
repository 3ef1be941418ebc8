#include "voice/gui/WhatCanISayWindow.h"

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

// Return and Escape close the window as its OK does: a window to read and put away wants no mouse.
void Form7::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        Command1_Click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace dorva
