// The window itself: its fixed size, its background and its two timers.
#include <QResizeEvent>
#include <QTimer>

#include "ui/CanvasView.h"
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
