#include "ui/frmHelp.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

#include "qt/FixedDialog.h"

#include "ui/FitText.h"

namespace {
constexpr int Border = 1;
constexpr QSize Client(152, 105);
const QColor LightYellow(255, 255, 192);
constexpr int LargestPointSize = 9;
constexpr int SmallestPointSize = 6;

QLabel* StripLabel(QWidget* parent, const QString& text, QRect at)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(at);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}
} // namespace

frmHelp::frmHelp(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    // Never shown (no title bar), but names the window for the window system.
    setWindowTitle(tr("Pomoc"));
    setFixedSize(Client.width() + 2 * Border, Client.height() + 2 * Border);
    client = new QWidget(this);
    client->setGeometry(QRect(QPoint(Border, Border), Client));
    client->setAutoFillBackground(true);
    QPalette yellow = client->palette();
    yellow.setColor(QPalette::Window, LightYellow);
    yellow.setColor(QPalette::WindowText, Qt::black);
    client->setPalette(yellow);

    Label1 = StripLabel(client, tr("Pomoc"), QRect(0, 0, 137, 17));
    Label1->setAutoFillBackground(true);
    QPalette strip = Label1->palette();
    strip.setColor(QPalette::Window, Qt::blue);
    strip.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(strip);
    Label3 = StripLabel(client, QStringLiteral("X"), QRect(136, 0, 17, 17));
    Label3->setCursor(Qt::PointingHandCursor);

    lblHelp = new QLabel(client);
    lblHelp->setGeometry(4, 20, 145, 81);
    lblHelp->setWordWrap(true);
    lblHelp->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // For screen readers: "X" closes the window, and so does the text.
    Label3->setAccessibleName(tr("Zamknij"));
    Label3->setAccessibleDescription(tr("Zamyka okno pomocy"));
    lblHelp->setAccessibleDescription(tr("Kliknięcie zamyka okno pomocy"));

    Label3->installEventFilter(this);
    lblHelp->installEventFilter(this);
}

void frmHelp::setHelpText(const QString& text)
{
    // The longest texts need more lines than the area holds at the usual size.
    SetFittingText(lblHelp, text, LargestPointSize, SmallestPointSize);
}

void frmHelp::ShowModal()
{
    ShowFixedDialog(this);
}

bool frmHelp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && (watched == Label3 || watched == lblHelp)) {
        hide();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmHelp::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
