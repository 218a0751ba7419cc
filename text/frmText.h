// The text dialog of the text tool: up to 10 characters; "OK" hands the text
// on to the placement, "Anuluj" (and an empty "OK") closes it with no change.
#pragma once
#include <functional>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class frmText : public QDialog {
    Q_OBJECT
public:
    // `place` receives the text after the dialog has hidden itself and
    // returns once the placement is over.
    explicit frmText(std::function<void(const QString&)> place, QWidget* parent = nullptr);

    // Shows the dialog modally, centred, with an empty field.
    void ShowModal();

    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    std::function<void(const QString&)> place_;
};
