#include "ui/Frame.h"

#include <QPainter>

Frame::Frame(const QRect& rectangle, QWidget* parent) : QWidget(parent)
{
    setGeometry(rectangle);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Frame::paintEvent(QPaintEvent*)
{
    // Only the outline: the control inside paints itself.
    QPainter p(this);
    const QColor c = palette().color(QPalette::WindowText);
    p.fillRect(0, 0, width(), 1, c);
    p.fillRect(0, height() - 1, width(), 1, c);
    p.fillRect(0, 0, 1, height(), c);
    p.fillRect(width() - 1, 0, 1, height(), c);
}
