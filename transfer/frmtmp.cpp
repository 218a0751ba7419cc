#include "transfer/frmtmp.h"

#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "qt/CentreOver.h"
#include "qt/ScreenRoom.h"

#include "core/Editor.h"
#include "text/TextMenus.h"
#include "text/TextRender.h"
#include "transfer/Outline.h"
#include "transfer/Placement.h"
#include "qt/QtColour.h"
#include "qt/SurfaceView.h"

namespace {
constexpr int ClientWidth = 586;
constexpr int ClientHeight = 345;
constexpr QPoint PicOrigin{8, 24};
constexpr Colour FrameStart = Rgb(0, 0, 255);
constexpr Colour BlinkDark = Rgb(0, 0, 0xC0);
constexpr Colour BlinkLight = Rgb(255, 255, 0);
constexpr Colour BorderColour = Rgb(0, 0, 0);

} // namespace

frmtmp::frmtmp(Editor& editor, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), e_(editor)
{
    // A title bar without a close box; a fixed size.
    setWindowTitle(tr("Wklej"));
    setAutoFillBackground(true);

    // The menu bar of text mode sits above the client area, which keeps its
    // size: the window grows by the bar while it is shown.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    client = new QWidget;
    client->setFixedSize(ClientWidth, ClientHeight);
    scroll_ = HoldInScrollArea(client, this); // larger than the screen at a large scale
    layout->addWidget(scroll_);
    Text = new TextMenus(menuBar, this, [this] { Timer2->start(); });
    menuBar->hide();
    layout->activate();

    Label1 = new QLabel(client);
    Label1->setGeometry(8, 8, 583, 13);

    Ramka = new Outline(BorderColour, client);
    pic = new SurfaceView(e_.pic, client);
    pic->move(PicOrigin);
    Shape1 = new Outline(FrameStart, pic);
    Shape1->setGeometry(0, 0, ImageSize, ImageSize);
    RamkaDopasuj();

    // For screen readers; the prompt label is named by its text.
    pic->setAccessibleName(tr("Obraz do wklejenia"));
    pic->setAccessibleDescription(
        tr("Ramka wyboru idzie za wskaźnikiem; kliknięcie wkleja fragment w ramce"));
    Shape1->setAccessibleName(tr("Ramka wyboru"));
    Ramka->setAccessibleName(tr("Ramka obrazu"));

    connect(pic, &SurfaceView::mouseMoved, this,
            [this](QMouseEvent* ev) {
                const QPoint at = LogicalPixel(ev, pic);
                pic_MouseMove(at.x(), at.y());
            });
    connect(pic, &SurfaceView::mouseReleased, this, [this](QMouseEvent* ev) {
        if (ev->button() == Qt::LeftButton && pic->rect().contains(LogicalPixel(ev, pic)))
            pic_Click();
    });

    Timer1 = new QTimer(this);
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start(); // blinks from creation until start-up ends
    Timer2 = new QTimer(this);
    Timer2->setInterval(20);
    Timer2->setSingleShot(true);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
}

void frmtmp::ShowModal()
{
    QPalette background = palette();
    background.setColor(QPalette::Window, ToQColor(e_.frmtmpBackColour));
    setPalette(background);
    Form_Activate();
    FitToScreen(scroll_, parentWidget(), menuBar->isVisible() ? menuBar->sizeHint().height() : 0);
    layout()->activate(); // the size with or without the menu bar
    CentreOver(this, parentWidget());
    exec();
}

void frmtmp::StopBlinking()
{
    Timer1->stop();
}

void frmtmp::RamkaDopasuj()
{
    Ramka->setGeometry(pic->x() - 1, pic->y() - 1, pic->width() + 2, pic->height() + 2);
}

bool frmtmp::event(QEvent* ev)
{
    // The activation steps run when the window is shown (ShowModal) and when
    // a modal window of the program over it (the font dialog of text mode)
    // closes and hands it back the activation. A return from another
    // program is no such hand-over and leaves the window as it is.
    if (ev->type() == QEvent::WindowUnblocked && isVisible())
        Form_Activate();
    return QDialog::event(ev);
}

void frmtmp::Form_Activate()
{
    // The font menus belong to text mode; in picture mode the text size
    // follows the size menu, so it agrees with it after any paste or import.
    const bool textMode = !Tag.isEmpty();
    if (!textMode)
        Text->ApplyCheckedSize();
    Text->setTextMode(textMode);
    menuBar->setVisible(textMode);
    Label1->setText(QString::fromStdString(e_.FragmentPrompt));
    FitPrompt();
    Timer1->start();
    Timer2->start();
    RamkaDopasuj();
}

void frmtmp::FitPrompt()
{
    // The label is one short line: a long prompt gets a smaller font rather
    // than losing its end.
    QFont f = font();
    f.setPixelSize(11);
    while (f.pixelSize() > 7 && QFontMetrics(f).horizontalAdvance(Label1->text()) > Label1->width())
        f.setPixelSize(f.pixelSize() - 1);
    Label1->setFont(f);
}

void frmtmp::pic_MouseMove(int x, int y)
{
    const QPoint old = Shape1->pos();
    const FramePosition p = FollowPointer(x, y, e_.pic.width(), e_.pic.height());
    if (p.left == old.x() && p.top == old.y())
        return;
    Shape1->move(p.left, p.top);
    const QString caption = tr("Wklej [%1,%2]").arg(p.left).arg(p.top);
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

void frmtmp::pic_Click()
{
    Tag.clear();
    Timer1->stop();
    PlaceFragment(e_, Shape1->x(), Shape1->y());
    e_.pic.clear();
    accept(); // hides the window; the caller's modal show returns
}

void frmtmp::Timer1_Timer()
{
    if (blinkTag_ == 1) {
        blinkTag_ = 0;
        Shape1->setColour(BlinkDark);
    } else {
        blinkTag_ = 1;
        Shape1->setColour(BlinkLight);
    }
}

void frmtmp::Timer2_Timer()
{
    if (!Tag.isEmpty()) {
        // The text is drawn at the top-left corner on the window's back
        // colour; pic takes the text's size, at least 32 x 32.
        e_.pic.assign(::RenderText(Tag, Text->font(), e_.frmtmpBackColour), true);
        RamkaDopasuj(); // pic has taken the text's size
    }
}

void frmtmp::reject()
{
    // Nothing is placed; the next caller starts in picture mode.
    Tag.clear();
    Timer1->stop();
    Timer2->stop();
    QDialog::reject();
}
