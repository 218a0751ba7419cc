#include "text/frmText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "qt/FixedDialog.h"

namespace {
constexpr int MaxTextLength = 10;
}

frmText::frmText(std::function<void(const QString&)> place, QWidget* parent)
    : QDialog(parent, FixedDialogFlags()), place_(std::move(place))
{
    setWindowTitle(tr("Wstaw tekst"));
    setFixedSize(213, 70);

    Label1 = new QLabel(tr("Wpisz tu jakiś tekst"), this);
    Label1->setGeometry(8, 0, 225, 17);
    Text1 = new QLineEdit(this);
    Text1->setGeometry(8, 16, 201, 19);
    Text1->setMaxLength(MaxTextLength);
    Command1 = new QPushButton(tr("OK"), this);
    Command1->setGeometry(8, 40, 73, 25);
    Command1->setDefault(true);
    Command2 = new QPushButton(tr("Anuluj"), this);
    Command2->setGeometry(128, 40, 73, 25);
    // A focused button takes Return; from the field Return still means "OK".
    Command2->setAutoDefault(true);

    // For screen readers; the buttons are named by their captions.
    Text1->setAccessibleName(tr("Tekst"));
    Text1->setAccessibleDescription(tr("Wpisz tu jakiś tekst, najwyżej 10 znaków"));
    Command1->setAccessibleDescription(tr("Wstawia tekst przez okno wklejania"));
    Command2->setAccessibleDescription(tr("Zamyka okno bez wstawiania tekstu"));

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &frmText::Timer1_Timer);
    connect(Command1, &QPushButton::clicked, this, &frmText::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmText::Command2_Click);
}

void frmText::ShowModal()
{
    ShowFixedDialog(this);
}

void frmText::showEvent(QShowEvent* event)
{
    Text1->clear();
    Timer1->start();
    QDialog::showEvent(event);
}

void frmText::Timer1_Timer()
{
    activateWindow();
    Text1->setFocus();
    Timer1->stop();
}

void frmText::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        Command2_Click();
        return;
    }
    const QString text = Text1->text();
    hide();
    place_(text);
}

void frmText::Command2_Click()
{
    hide();
}

void frmText::reject()
{
    // Esc and the window system's close request act as "Anuluj".
    Command2_Click();
}
