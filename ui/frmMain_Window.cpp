// The window itself: its fixed size, its background and its two timers.
#include <algorithm>

#include <QLayout>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

#include "qt/WaylandFixedSize.h"
#include "ui/CanvasView.h"
#include "ui/FontWarmUp.h"
#include "ui/Label.h"
#include "transfer/frmtmp.h"
#include "ui/frmMain.h"

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // A window manager ignores a resize back while the user drags the frame:
    // the rule is applied again shortly after (sizeRuleAgain_), once it has ended.
    Form_Resize();
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // The window has no maximised state: a window manager that maximises it
    // anyway is answered by the normal state at the recorded size.
    if (ResizeLock && (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        });
    // A restore from minimised need not resize the window here: apply the
    // rule anyway, so a pending size change (help bar) takes effect.
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
    // The one size is told to the window manager (minimum = maximum), so it
    // offers neither a resize handle nor a maximise button.
    const QSize recorded(StartWidth, StartHeight);
    if (size() == recorded) {
        if (minimumSize() != recorded || maximumSize() != recorded)
            setFixedSize(recorded);
        return;
    }
    // Some window managers refuse to resize a window whose hints allow only
    // its present size: on the way, both sizes are allowed, and the one size
    // is told again once the window has it.
    setMinimumSize(size().boundedTo(recorded));
    setMaximumSize(size().expandedTo(recorded));
    resize(recorded);
    sizeRuleAgain_->start();
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
    // After the map: a name wakes the accessibility bridge, which would
    // otherwise wait for the session bus before the first frame.
    NazwijKontrolki();
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
    placement->setChoices(Choices);
    // It blinks from its creation until start-up ends.
    if (StartUpEnded)
        placement->StopBlinking();
    return placement;
}

void frmMain::setVisible(bool visible)
{
    if (visible && !contentShown_)
        PokażZawartość();
    QMainWindow::setVisible(visible);
}

void frmMain::PokażZawartość()
{
    // Everything is in place before the window is mapped, so the window
    // manager gets its final size and place with the map and the first frame
    // is the finished window.
    contentShown_ = true;
    KeepFixedSizesOnWayland(); // this window and every dialog
    FinishFontWarmUp();
    Namiary->setText(QStringLiteral("?, ?"));
    lblHelp->setText(tr("Pasek pomocy"));

    // The window is the client area plus the menu bar above it.
    const QSize before = size();
    client_->setFixedSize(before); // so far the window is its client area
    QMenuBar* bar = menuBar();
    for (QMenu* menu : {mnuPlik, mnuEdycja, mnuObraz, mnuOpcje, mnuPomoc})
        bar->addMenu(menu);
    layout()->activate();
    const QSize whole = sizeHint();
    client_->setMinimumSize(0, 0);
    client_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize grown = whole - before;
    StartWidth += grown.width();
    StartHeight += grown.height();
    // Told to the window manager as the window's one size from the start;
    // the layout no longer lowers the minimum to what it could live with.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setFixedSize(whole);

    // Centred on the screen's available area, the client area placed
    // exactly (the window manager's frame, unknown before the map, around it).
    QPoint at(0, 0);
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        at = area.topLeft() + QPoint((area.width() - whole.width()) / 2,
                                     (area.height() - whole.height()) / 2);
        at = QPoint(std::max(at.x(), area.left()), std::max(at.y(), area.top()));
    }
    setGeometry(QRect(at, whole));
}
