#include "transfer/frmtmp.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
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
// The fitted picture shown enlarged: 32 x 8 = 256 fits the client area below the prompt.
constexpr ViewScale FitScale{8, 1};

// A checkable button whose access key toggles it at once (a plain button's
// would flash it first and toggle a moment later).
class ChoiceButton : public QPushButton {
public:
    ChoiceButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
    {
        setCheckable(true);
        setFocusPolicy(Qt::NoFocus);
        setAutoDefault(false);
        setDefault(false);
    }

protected:
    bool event(QEvent* ev) override
    {
        if (ev->type() == QEvent::Shortcut) {
            if (isEnabled())
                click();
            return true;
        }
        return QPushButton::event(ev);
    }
};

QString Tr(const char* text)
{
    return QCoreApplication::translate("frmtmp", text);
}
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

    // The choices sit above the client area like the menu bar: the client
    // area and every position in it stay as they are.
    choiceBar = new QWidget(this);
    auto* bar = new QVBoxLayout(choiceBar);
    bar->setContentsMargins(8, 4, 8, 2);
    bar->setSpacing(2);
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    cmdDopasuj = new ChoiceButton(Tr("&Dopasuj do 32 x 32"), choiceBar);
    cmdKolory = new ChoiceButton(Tr("&Kolory palety"), choiceBar);
    cmdRozpraszanie = new ChoiceButton(Tr("Roz&praszanie"), choiceBar);
    cmdRozpraszanie->setEnabled(false);
    for (QPushButton* b : {cmdDopasuj, cmdKolory, cmdRozpraszanie}) {
        row->addWidget(b);
        connect(b, &QPushButton::toggled, this, [this] { ApplyChoices(); });
    }
    row->addStretch(1);
    bar->addLayout(row);
    lblSpoza = new QLabel(choiceBar);
    // Its line stays reserved, so the window keeps its height as it comes and goes.
    QSizePolicy keep = lblSpoza->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    lblSpoza->setSizePolicy(keep);
    lblSpoza->hide();
    bar->addWidget(lblSpoza);
    layout->addWidget(choiceBar);
    layout->addWidget(scroll_); // below the bar
    layout->activate();
    mapPoll_ = new QTimer(this);
    mapPoll_->setInterval(15);
    connect(mapPoll_, &QTimer::timeout, this, [this] {
        if (pending_.valid() && pending_.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
            MappingDone(pending_.get());
    });
    connect(this, &QDialog::finished, this, [this] {
        // The copies of a large picture are not kept between uses.
        DropMapping();
        raw_ = Surface(1, 1, raw_.backColour());
        source_ = small_ = QImage();
    });

    Label1 = new QLabel(client);
    Label1->setGeometry(8, 8, 583, 13);

    Ramka = new Outline(BorderColour, client);
    pic = new SurfaceView(e_.pic, client);
    pic->move(PicOrigin);
    Shape1 = new Outline(FrameStart, pic);
    Shape1->setGeometry(0, 0, ImageSize, ImageSize);
    picFit = new SurfaceView(fitted_, FitScale, client);
    picFit->move(PicOrigin);
    picFit->hide();
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
    connect(picFit, &SurfaceView::mouseReleased, this, [this](QMouseEvent* ev) {
        if (ev->button() == Qt::LeftButton && picFit->rect().contains(LogicalPixel(ev, picFit)))
            PlaceShown();
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
    // The picture the choices start from: the caller's, with its
    // transparency, or the staging surface as it stands.
    // Copies are taken only once a choice needs them, so that opening the
    // window for a large picture costs no more than before.
    rawKept_ = false;
    source_ = Tag.isEmpty() ? given_ : QImage();
    given_ = QImage();
    DropMapping();
    Form_Activate();
    ApplyChoices();
    const int above = (menuBar->isVisible() ? menuBar->sizeHint().height() : 0) + choiceBar->sizeHint().height();
    FitToScreen(scroll_, parentWidget(), above);
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
    const QWidget* shown = picFit->isVisible() ? picFit : pic;
    Ramka->setGeometry(shown->x() - 1, shown->y() - 1, shown->width() + 2, shown->height() + 2);
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
    ShowCount();
    const QString caption = tr("Wklej [%1,%2]").arg(p.left).arg(p.top);
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

void frmtmp::pic_Click()
{
    Tag.clear();
    Timer1->stop();
    FinishMapping();
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
        rawKept_ = false;
        source_ = QImage();
        DropMapping();
        ApplyChoices();
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

PlacementChoices frmtmp::choices() const
{
    return {cmdDopasuj->isChecked(), cmdKolory->isChecked(), cmdRozpraszanie->isChecked()};
}

void frmtmp::setChoices(const PlacementChoices& c)
{
    const QSignalBlocker b1(cmdDopasuj), b2(cmdKolory), b3(cmdRozpraszanie);
    cmdDopasuj->setChecked(c.fit);
    cmdKolory->setChecked(c.paletteColours);
    cmdRozpraszanie->setChecked(c.dither);
    cmdRozpraszanie->setEnabled(c.paletteColours);
    if (isVisible())
        ApplyChoices();
}

void frmtmp::keyPressEvent(QKeyEvent* ev)
{
    // Return places in every mode; Esc closes through QDialog.
    if (ev->key() == Qt::Key_Return || ev->key() == Qt::Key_Enter) {
        PlaceShown();
        return;
    }
    QDialog::keyPressEvent(ev);
}

void frmtmp::PlaceShown()
{
    if (!cmdDopasuj->isChecked()) {
        pic_Click();
        return;
    }
    Tag.clear();
    Timer1->stop();
    PlaceWhole(e_, fitted_);
    e_.pic.clear();
    accept();
}
