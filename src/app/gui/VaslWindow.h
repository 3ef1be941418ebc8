#pragma once

#include "platform/Seams.h"

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

namespace app {
// The result channels' VASL activation window: Form8 (asking its visibility creates it hidden).
class VaslActivationWindow final : public platform::ActivationWindow {
public:
    bool IsVisible() override;
    void SetText(const std::string& text) override;
    std::string Text() override;
    void PutBack(const std::string& text) override;
};
} // namespace app

} // namespace dorva
