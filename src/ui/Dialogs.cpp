#include "ui/Dialogs.h"

#include "ui/FileFilter.h"
#include "ui/Text.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStringDecoder>

namespace dorva::ui {
namespace {

// The window a dialog belongs to: the modal window that is up, else the active one.
QWidget* DialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

class DialogWindow final : public platform::ModalWindow {
public:
    explicit DialogWindow(QDialog& dialog) : dialog_(dialog) {}
    std::string Name() const override { return dialog_.objectName().toStdString(); }
    int Exec() override { return dialog_.exec(); }

private:
    QDialog& dialog_;
};

} // namespace

QString MessageText(const std::string& message) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArrayView(message.data(), static_cast<qsizetype>(message.size())));
    return utf8.hasError() ? ToQt(message) : text;
}

void KeepTitleWhole(QMessageBox& box) {
    // A box as narrow as a two-line message leaves the window manager room for "D… II" only: it
    // draws the title larger and bolder than the box's text, beside its icon and three buttons.
    // Reserving that much width under the buttons keeps the title whole.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    constexpr int kWindowManagerButtons = 160;
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kWindowManagerButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
}

void WindowDialogs::Message(const std::string& text) {
    QMessageBox box(QMessageBox::Information, kAppTitle, MessageText(text), QMessageBox::Ok, DialogParent());
    KeepTitleWhole(box);
    // The text can be selected and copied, so that a player can pass a message on word for word.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

bool WindowDialogs::Ask(const std::string& question) {
    QMessageBox box(QMessageBox::Question, kAppTitle, MessageText(question),
                    QMessageBox::Yes | QMessageBox::No, DialogParent());
    box.setDefaultButton(QMessageBox::No);
    // The box's icon is a picture with nothing to say to a screen reader but the kind of box.
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            label->setAccessibleName(QStringLiteral("Question"));
        }
    }
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> WindowDialogs::SaveFileName(const std::string& caption, const std::string& preset,
                                                       const std::string& filter) {
    const QString chosen =
        QFileDialog::getSaveFileName(DialogParent(), NameToQt(caption), NameToQt(preset),
                                     ToQt(QtFileFilter(filter)), nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return NameFromQt(chosen);
}

int WindowDialogs::RunModal(platform::ModalWindow& window) {
    return window.Exec();
}

int ExecModal(QDialog& dialog) {
    DialogWindow window(dialog);
    return platform::CurrentDialogs().RunModal(window);
}

} // namespace dorva::ui
