#include "ui/frmAbout.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "qt/CentreOver.h"

#include "ui/AboutPage.h"
#include "ui/FitText.h"
#include "ui/ProgramPicture.h"
#include "qt/QtColour.h"

namespace {
constexpr int DescriptionPointSize = 9;
constexpr int SmallestPointSize = 6;

QLabel* Label(QWidget* parent, const QString& text, QRect at, bool wrap = false)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(at);
    l->setWordWrap(wrap);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}
} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(tr("O programie"));
    setFixedSize(382, 237);

    picIcon = new QLabel(this);
    picIcon->setGeometry(16, 16, 32, 32);
    picIcon->setPixmap(
        QPixmap::fromImage(ProgramPicture(FromQRgb(palette().color(QPalette::Window).rgb()))));

    lblTitle = Label(this, QStringLiteral("Pikselar"), QRect(70, 16, 259, 32));
    QFont title = lblTitle->font();
    title.setPointSizeF(13.5);
    lblTitle->setFont(title);
    QPalette red = lblTitle->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lblTitle->setPalette(red);

    lblVersion = Label(this, tr("wersja 1.0"), QRect(70, 52, 259, 15));
    lblDescription = Label(this, QString(), QRect(70, 75, 259, 78), true);
    SetFittingText(
        lblDescription,
        tr("Ten program służy do tworzenia ikon o wymiarach 32x32 pixele i 16 kolorach. "
                       "Program posiada kilka ciekawych rzeczy, których nie posiadają konkurenci. "
                       "Proszę o wysyłanie uwag na temat programu i czeste odwiedzanie mojej "
                       "strony WWW"),
        DescriptionPointSize, SmallestPointSize);
    lblDisclaimer = Label(this, QString(), QRect(17, 175, 258, 55), true);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(283, 175, 84, 23);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(tr("&Strona WWW"), this);
    cmdSysInfo->setGeometry(284, 205, 83, 23);
    // Focused, it takes Return: the page opens and the window stays.
    cmdSysInfo->setAutoDefault(true);
    // For screen readers; the buttons and labels are named by their captions.
    picIcon->setAccessibleName(tr("Ikona programu"));
    picIcon->setAccessibleDescription(tr("Obrazek programu Pikselar"));
    cmdOK->setAccessibleDescription(tr("Zamyka okno"));
    cmdSysInfo->setAccessibleDescription(tr("Otwiera stronę WWW autora programu"));
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    CentreOver(this, parent);
}

void frmAbout::cmdOK_Click()
{
    // Esc reaches reject() and the close box closeEvent(): both end the same way.
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    // Whether a browser opened is not reported: the window simply stays. With
    // no launcher at all, the program's own page is shown by the program.
    if (!QDesktopServices::openUrl(MakerPage()) && !*MakerWebAddress)
        ShowAboutPage(this);
}

QUrl frmAbout::MakerPage()
{
    const QString web = QString::fromUtf8(MakerWebAddress);
    if (!web.isEmpty())
        return QUrl(web);
    return AboutPageFile();
}

void frmAbout::paintEvent(QPaintEvent*)
{
    // The etched separator: a grey line over a white one two pixels high.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawLine(6, 163, 377, 163);
    p.fillRect(QRect(QPoint(7, 164), QPoint(377, 165)), Qt::white);
}
