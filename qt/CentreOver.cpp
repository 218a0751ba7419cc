#include "qt/CentreOver.h"

#include <algorithm>

#include <QScreen>
#include <QWidget>

void CentreOver(QWidget* window, const QWidget* owner)
{
    const QWidget* over = owner ? owner->window() : nullptr;
    const QScreen* screen = over ? over->screen() : window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const bool shown = over && over->isVisible() && !over->isMinimized();
    // The window's frame is not known before it is shown: the owner's, around
    // its own area, is the best guess (window managers decorate alike).
    const QSize frame = shown ? over->frameGeometry().size() - over->size() : QSize(0, 0);
    QRect r(QPoint(0, 0), window->size() + frame);
    r.moveCenter(shown ? over->frameGeometry().center() : area.center());
    r.moveLeft(std::max(area.left(), std::min(r.left(), area.right() + 1 - r.width())));
    r.moveTop(std::max(area.top(), std::min(r.top(), area.bottom() + 1 - r.height())));
    // move() places the frame's corner, except on a window already made whose
    // frame is not known yet: there it places the window's own area.
    const bool frameUnknown = window->testAttribute(Qt::WA_WState_Created)
                              && window->frameGeometry() == window->geometry();
    const QPoint inside = shown ? over->geometry().topLeft() - over->frameGeometry().topLeft()
                                : QPoint(0, 0);
    window->move(r.topLeft() + (frameUnknown ? inside : QPoint(0, 0)));
}
