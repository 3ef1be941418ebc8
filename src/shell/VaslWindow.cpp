#include "shell/VaslWindow.h"

#include "data/Announce.h"
#include "shell/Text.h"
#include "shell/VaslResize.h"
#include "shell/Windows.h"

#include <QPlainTextEdit>

namespace dorva {

Form8::Form8(QWidget* parent) : QWidget(parent, Qt::Window) {
    using gui::Twips;
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("VASL Activation Window"));
    // Closing discards the window: the next opening starts again from the designed text, size and place.
    setAttribute(Qt::WA_DeleteOnClose);
    resize(Twips(9180), Twips(390));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(0, 0, Twips(9135), Twips(375));
    Text1->setPlainText(QStringLiteral("Resize and postion on screen to fit VASL layout"));
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void Form8::Form_Resize() {
    const QSize outer = frameGeometry().size();
    const shell::TextBoxSize box = shell::VaslTextBoxSize(
        gui::ToTwips(outer.width()), gui::ToTwips(outer.height()), gui::ToTwips(Text1->height()));
    Text1->setGeometry(0, 0, gui::Twips(box.width), gui::Twips(box.height));
}

void Form8::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form8::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Form_Resize();
}

namespace gui {
namespace {

class Form8Channel final : public data::ActivationWindowChannel {
public:
    bool IsVisible() override { return Window<Form8>().isVisible(); }
    void SetText(const std::string& text) override { Window<Form8>().Text1->setPlainText(ToQt(text)); }
};

} // namespace

void InstallActivationWindowChannel() {
    static Form8Channel channel;
    data::SetActivationWindowChannel(&channel);
}

} // namespace gui
} // namespace dorva
