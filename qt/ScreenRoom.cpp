#include "qt/ScreenRoom.h"

#include <algorithm>

#include <QScreen>
#include <QScrollArea>
#include <QStyle>

QScrollArea* HoldInScrollArea(QWidget* area, QWidget* parent)
{
    auto* scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The area paints its window's background itself, as it did outside.
    area->setAutoFillBackground(true);
    scroll->setWidget(area);
    scroll->setFixedSize(area->size());
    return scroll;
}

void FitToScreen(QScrollArea* scroll, const QWidget* owner, int above)
{
    const QWidget* area = scroll->widget();
    const QWidget* over = owner ? owner->window() : nullptr;
    const QScreen* screen = over ? over->screen() : scroll->screen();
    if (!area || !screen)
        return;
    const QSize frame = over && over->isVisible() ? over->frameGeometry().size() - over->size()
                                                  : QSize(0, 0);
    const QSize room = screen->availableGeometry().size() - frame - QSize(0, above);
    QSize size = area->size();
    if (size.width() > room.width() || size.height() > room.height()) {
        // A scroll bar across takes height, and one down takes width.
        const int bar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        size = QSize(std::min(size.width() + (size.height() > room.height() ? bar : 0), room.width()),
                     std::min(size.height() + (size.width() > room.width() ? bar : 0), room.height()));
    }
    scroll->setFixedSize(size);
}
