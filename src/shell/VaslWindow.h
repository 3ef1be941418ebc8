#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace dorva {

// The VASL activation window: one line of the latest result, placed by the player over VASL's board.
class Form8 : public QWidget {
    Q_OBJECT

public:
    explicit Form8(QWidget* parent = nullptr);

    QPlainTextEdit* Text1;

    // Fits the text box to the window's outer size.
    void Form_Resize();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

namespace gui {
// Makes the result channels hand their texts to Form8 (asking its visibility creates it hidden).
void InstallActivationWindowChannel();
} // namespace gui

} // namespace dorva
