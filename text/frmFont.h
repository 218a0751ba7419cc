// The font dialog of the placement window's text mode. Its list of font names
// is filled once, 1 ms after the first showing; afterwards the dialog is only
// hidden and shown and keeps its list and choice. Closing it applies the
// chosen name.
#pragma once
#include <functional>

#include <QDialog>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

class frmFont : public QDialog {
    Q_OBJECT
public:
    // `apply` receives the chosen font name when the dialog closes.
    explicit frmFont(std::function<void(const QString&)> apply, QWidget* parent = nullptr);

    void ShowModal();

    void Timer1_Timer();
    void Combo1_Click();
    void Command1_Click();

    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* Command1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* lblTest = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::function<void(const QString&)> apply_;
};

// Each family once, by its plain name, in the order given ("C059 [urw]" and
// "C059 [UKWN]" are one "C059").
QStringList PlainFamilies(const QStringList& families);
