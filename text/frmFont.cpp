#include "text/frmFont.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTimer>

#include "qt/FixedDialog.h"

QStringList PlainFamilies(const QStringList& families)
{
    // A family installed from several foundries comes as "Name [foundry]",
    // once per foundry; the name alone picks one of them just as well.
    QStringList plain;
    QSet<QString> seen;
    for (const QString& family : families) {
        QString name = family;
        if (name.endsWith(QLatin1Char(']'))) {
            const qsizetype open = name.lastIndexOf(QStringLiteral(" ["));
            if (open > 0)
                name.truncate(open);
        }
        if (!seen.contains(name)) {
            seen.insert(name);
            plain << name;
        }
    }
    return plain;
}

frmFont::frmFont(std::function<void(const QString&)> apply, QWidget* parent)
    : QDialog(parent, FixedDialogFlags()), apply_(std::move(apply))
{
    setWindowTitle(tr("Zmień czcionkę"));
    setFixedSize(286, 144);

    Label1 = new QLabel(tr("Czcionka"), this);
    Label1->setGeometry(8, 8, 169, 17);
    Combo1 = new QComboBox(this);
    Combo1->setGeometry(8, 24, 185, 21);
    Combo1->setEditable(false);
    Command1 = new QPushButton(tr("OK"), this);
    Command1->setGeometry(208, 24, 65, 25);
    // Not the default button, nor made one when the dialog shows: Return in
    // the list leaves the dialog open (keyPressEvent lets a focused button
    // take it).
    Command1->setAutoDefault(false);
    Frame1 = new QGroupBox(tr("Podgląd"), this);
    Frame1->setGeometry(8, 56, 273, 81);
    lblTest = new QLabel(QStringLiteral("ABC abc ąćęłńóśźż"), Frame1);
    lblTest->setGeometry(8, 24, 249, 49);
    QFont preview = lblTest->font();
    preview.setPointSizeF(13.5);
    preview.setBold(false);
    preview.setItalic(false);
    lblTest->setFont(preview);
    Label2 = new QLabel(tr("Proszę czekać, trwa ładowanie listy czcionek"), this);
    Label2->setGeometry(8, 56, 273, 17);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Combo1),
                       static_cast<QWidget*>(Command1), static_cast<QWidget*>(Frame1)})
        w->hide();

    // For screen readers; the button and the box are named by their captions.
    Combo1->setAccessibleName(tr("Czcionka"));
    Combo1->setAccessibleDescription(tr("Lista czcionek ekranowych"));
    Command1->setAccessibleDescription(tr("Zamyka okno i ustawia wybraną czcionkę"));
    lblTest->setAccessibleName(tr("Podgląd czcionki"));
    lblTest->setAccessibleDescription(tr("Przykładowy tekst w wybranej czcionce"));

    connect(Combo1, &QComboBox::currentIndexChanged, this, &frmFont::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmFont::Command1_Click);

    // Loading the names can take a moment with many fonts: the dialog shows
    // its wait message first and fills the list on the first tick.
    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &frmFont::Timer1_Timer);
    Timer1->start();
}

void frmFont::ShowModal()
{
    ShowFixedDialog(this);
}

void frmFont::Timer1_Timer()
{
    Timer1->stop();
    Combo1->addItems(PlainFamilies(QFontDatabase::families()));
    if (Combo1->count() > 0)
        Combo1->setCurrentIndex(0);
    for (QWidget* w : {static_cast<QWidget*>(Combo1), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Command1)})
        w->show();
    Label2->hide();
    Combo1->setFocus();
}

void frmFont::Combo1_Click()
{
    QFont preview = lblTest->font();
    preview.setFamily(Combo1->currentText());
    lblTest->setFont(preview);
}

void frmFont::Command1_Click()
{
    hide();
    // Closed before the list arrived: there is no name to apply.
    if (!Combo1->currentText().isEmpty())
        apply_(Combo1->currentText());
}

void frmFont::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (focusWidget() == Command1)
            Command1->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void frmFont::reject()
{
    // Esc and the window system's close request apply the choice like "OK".
    Command1_Click();
}
