#include "app/gui/VaslWindow.h"

#include "app/VaslResize.h"
#include "ui/NewResult.h"
#include "ui/Text.h"
#include "ui/Windows.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace dorva {

Form8::Form8(QWidget* parent) : QWidget(parent, Qt::Window) {
    using ui::Twips;
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("VASL Activation Window"));
    // Closing discards the window: the next opening starts again from the designed text, at the place
    // and size the player left it (the window kit keeps them), so that it sits over VASL at once.
    setAttribute(Qt::WA_DeleteOnClose);
    resize(Twips(9180), Twips(390));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(0, 0, Twips(9135), Twips(375));
    Text1->setPlainText(QStringLiteral("Resize and postion on screen to fit VASL layout"));
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The designed box is one line high: the text sits close to its frame, and on a desktop whose font
    // is too tall for that line it is drawn smaller rather than cut, with a scroll bar beside it.
    Text1->document()->setDocumentMargin(1);
    QFont font = Text1->font();
    const auto lineFits = [this](const QFont& shown) {
        const int margins = 2 * (static_cast<int>(Text1->document()->documentMargin()) + Text1->frameWidth());
        return QFontMetrics(shown).lineSpacing() + margins <= Text1->height();
    };
    while (!lineFits(font) && font.pointSizeF() > 6.0) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    Text1->setFont(font);
    Text1->setAccessibleName(QStringLiteral("Activation results for VASL"));
}

void Form8::Form_Resize() {
    const QSize outer = frameGeometry().size();
    const app::TextBoxSize box = app::VaslTextBoxSize(ui::ToTwips(outer.width()), ui::ToTwips(outer.height()),
                                                      ui::ToTwips(Text1->height()));
    Text1->setGeometry(0, 0, ui::Twips(box.width), ui::Twips(box.height));
}

void Form8::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form8::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Form_Resize();
}

namespace app {

bool VaslActivationWindow::IsVisible() {
    return ui::Window<Form8>().isVisible();
}

void VaslActivationWindow::SetText(const std::string& text) {
    QPlainTextEdit& box = *ui::Window<Form8>().Text1;
    const QString shown = ui::ToQt(text);
    const bool unchanged = box.toPlainText() == shown;
    box.setPlainText(shown);
    ui::MarkNewResult(box, unchanged);
}

std::string VaslActivationWindow::Text() {
    return ui::FromQt(ui::Window<Form8>().Text1->toPlainText());
}

void VaslActivationWindow::PutBack(const std::string& text) {
    ui::Window<Form8>().Text1->setPlainText(ui::ToQt(text));
}

} // namespace app
} // namespace dorva
