#include "ui/ModeCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
QPixmap Blank()
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    return p;
}

// White shapes with a black edge read on every palette colour.
void Outlined(QPainter& p, const QPainterPath& path, const QColor& fill = Qt::white)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(fill);
    p.drawPath(path);
}
} // namespace

QCursor FillCursor()
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath can;
    can.addPolygon(QPolygonF({{9, 13}, {18, 4}, {28, 14}, {19, 23}, {9, 13}}));
    Outlined(p, can);
    QPainterPath handle;
    handle.moveTo(13, 9);
    handle.cubicTo(10, 1, 22, -1, 23, 9);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(handle);
    QPainterPath paint;
    paint.moveTo(9, 13);
    paint.cubicTo(4, 14, 3, 20, 4, 28);
    paint.cubicTo(6, 24, 7, 18, 12, 16);
    Outlined(p, paint, Qt::black);
    p.end();
    return QCursor(pixmap, 4, 28);
}

QCursor PickCursor()
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tube;
    tube.addPolygon(QPolygonF({{2, 29}, {4, 24}, {18, 10}, {21, 13}, {7, 27}, {2, 29}}));
    Outlined(p, tube);
    QPainterPath bulb;
    bulb.addEllipse(QPointF(23, 8), 5, 5);
    Outlined(p, bulb, Qt::black);
    p.end();
    return QCursor(pixmap, 2, 29);
}
