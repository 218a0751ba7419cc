// The help window of help mode: a small light-yellow box without a title bar
// that explains one button. A click on "X" or on the text hides it.
#pragma once
#include <QDialog>

class QLabel;

class frmHelp : public QDialog {
    Q_OBJECT
public:
    explicit frmHelp(QWidget* parent = nullptr);

    // Sets the text of lblHelp, shrinking its font until the text fits.
    void setHelpText(const QString& text);
    // Shows the window modally, centred on the screen; returns once hidden.
    void ShowModal();

    QLabel* Label1 = nullptr;  // the "Pomoc" title strip
    QLabel* Label3 = nullptr;  // "X"
    QLabel* lblHelp = nullptr; // the long help text
    QWidget* client = nullptr; // the 152 x 105 client area inside the border

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
