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
    window->move(r.topLeft()); // the frame's top-left corner
}
