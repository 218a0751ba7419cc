// The window itself: its fixed size, its background and its two timers.
#include <QMenuBar>
#include <QResizeEvent>
#include <QTimer>

#include "ui/CanvasView.h"
#include "ui/FontWarmUp.h"
#include "ui/Label.h"
#include "transfer/frmtmp.h"
#include "ui/frmMain.h"

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A restore from minimised need not resize the window here: apply the
    // rule anyway, so a pending size change (help bar) takes effect.
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::MouseMove)
        Form_MouseMove();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Form_Resize()
{
    if (!ResizeLock || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        return;
    if (size() != QSize(StartWidth, StartHeight))
        resize(StartWidth, StartHeight);
}

void frmMain::Form_MouseMove()
{
    tools_.PointerLeftCanvas();
    picIkona->update();
}

void frmMain::Timer1_Timer()
{
    // Stopped first: Parametry lets pending events run, which must not tick again.
    Timer1->stop();
    StartUpEnded = true;
    if (frmtmp* placement = tmp.ifMade())
        placement->StopBlinking();
    Parametry();
    ResizeLock = true;
    picIkona->setFocus();
}

void frmMain::Timer2_Timer()
{
    picIkona->setEnabled(true);
    // Disabling took the keyboard focus away from the canvas.
    if (isActiveWindow())
        picIkona->setFocus();
    Timer2->stop();
}

void frmMain::UruchomTimer2()
{
    Timer2->start();
}

frmtmp* frmMain::MakePlacementWindow()
{
    auto* placement = new frmtmp(e_, this);
    // It blinks from its creation until start-up ends.
    if (StartUpEnded)
        placement->StopBlinking();
    return placement;
}

void frmMain::setVisible(bool visible)
{
    if (!visible || contentShown_) {
        QMainWindow::setVisible(visible);
        return;
    }
    // The window is mapped first and filled at once after, still before its
    // first frame is painted. Shown controls and label texts wake the
    // accessibility bridge, which waits for the session bus, and the menu
    // bar's height needs the font database: neither has to delay the window.
    client_->hide();
    QMainWindow::setVisible(true);
    PokażZawartość();
}

void frmMain::PokażZawartość()
{
    contentShown_ = true;
    FinishFontWarmUp();
    Namiary->setText(QStringLiteral("?, ?"));
    lblHelp->setText(QStringLiteral("Pasek pomocy"));
    NazwijKontrolki();
    client_->show();

    // The window grows by the menu bar; the client area keeps its size and
    // the window stays centred.
    const QSize before = size();
    client_->setFixedSize(client_->size());
    QMenuBar* bar = menuBar();
    for (QMenu* menu : {mnuPlik, mnuEdycja, mnuOpcje, mnuPomoc})
        bar->addMenu(menu);
    bar->show();
    resize(sizeHint());
    client_->setMinimumSize(0, 0);
    client_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layout()->activate();
    const QSize grown = size() - before;
    StartWidth += grown.width();
    StartHeight += grown.height();
    move(pos() - QPoint(grown.width() / 2, grown.height() / 2));
}
