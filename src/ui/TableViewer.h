#pragma once

#include <QWidget>

class QLabel;
class QKeyEvent;
class QPushButton;

namespace dorva {

// The table viewer: a rule table's listing, filled by the activation screen, with a dice button.
class Form3 : public QWidget {
    Q_OBJECT

public:
    explicit Form3(QWidget* parent = nullptr);

    QLabel* Label1;        // the listing, fixed pitch
    QLabel* Label2;        // the latest "Roll DR" result
    QPushButton* Command1; // "OK"
    QPushButton* Command2; // "Roll DR"

    void Command1_Click();
    void Command2_Click();

    // Shows a listing under a title. The window grows beyond its designed size where the listing needs
    // it (long unit names, many rows), so that every row shows whole.
    void ShowListing(const QString& title, const QString& listing);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dorva
