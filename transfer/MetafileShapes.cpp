// Lines, rectangles, ellipses, arcs and polygons, each charged the work its
// fill and pen will do before it is drawn.
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "transfer/MetafilePlayback.h"
#include "transfer/MetafileRecords.h"

namespace wmf {

bool Player::ShapeRecord(quint16 f, const Params& p)
{
    switch (f) {
    case META_LINETO:
        if (p.has(2)) {
            const QPoint to(p.s(1), p.s(0));
            const QPointF a = Map(dc_.position.x(), dc_.position.y()), b = Map(to.x(), to.y());
            if (SetPen() && AffordLine(a, b))
                painter_.drawLine(a, b);
            dc_.position = to;
        }
        return true;
    case META_SETPIXEL:
        if (p.has(4)) {
            const QPointF q = Map(p.s(3), p.s(2));
            painter_.fillRect(QRectF(std::floor(q.x()), std::floor(q.y()), 1, 1), ColorRef(p.u32(0)));
        }
        return true;
    case META_RECTANGLE:
        if (p.has(4))
            Shape(MapRect(p.s(3), p.s(2), p.s(1), p.s(0)), [this](QRectF r) { painter_.drawRect(r); });
        return true;
    case META_ROUNDRECT:
        if (p.has(6)) {
            const double rx = std::abs(p.s(1)) * ScaleX() / 2, ry = std::abs(p.s(0)) * ScaleY() / 2;
            Shape(MapRect(p.s(5), p.s(4), p.s(3), p.s(2)), [&](QRectF r) { painter_.drawRoundedRect(r, rx, ry); });
        }
        return true;
    case META_ELLIPSE:
        if (p.has(4))
            Shape(MapRect(p.s(3), p.s(2), p.s(1), p.s(0)), [this](QRectF r) { painter_.drawEllipse(r); });
        return true;
    case META_ARC:
        Arc(p, 0);
        return true;
    case META_PIE:
        Arc(p, 1);
        return true;
    case META_CHORD:
        Arc(p, 2);
        return true;
    case META_POLYGON:
        Poly(p, true);
        return true;
    case META_POLYLINE:
        Poly(p, false);
        return true;
    case META_POLYPOLYGON:
        PolyPolygon(p);
        return true;
    default:
        return false;
    }
}

// A closed shape: filled with the brush, outlined with the pen, in a
// rectangle whose right and bottom edges are excluded.
template <class Draw>
void Player::Shape(QRect r, Draw draw)
{
    SetBrush();
    const bool outlined = SetPen();
    if (r.width() < 1 || r.height() < 1 || !AffordArea(r))
        return;
    // Too small to have an inside: the outline covers it all.
    if (outlined && (r.width() <= 2 || r.height() <= 2)) {
        painter_.fillRect(r, dc_.pen.colour);
        return;
    }
    draw(outlined ? QRectF(r.left(), r.top(), r.width() - 1, r.height() - 1)
                  : QRectF(r.left(), r.top(), r.width(), r.height()));
}

QPolygonF Player::Points(const Params& p, qsizetype first, qsizetype count) const
{
    QPolygonF poly;
    poly.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        poly << Map(p.s(first + 2 * i), p.s(first + 2 * i + 1));
    return poly;
}

void Player::Arc(const Params& p, int kind)
{
    if (!p.has(8))
        return;
    const QRect r = MapRect(p.s(7), p.s(6), p.s(5), p.s(4));
    if (r.width() < 1 || r.height() < 1 || (kind == 0 && !AffordArea(r)))
        return;
    const QPointF c = QRectF(r).center();
    auto angle = [&](int x, int y) {
        const QPointF q = Map(x, y);
        return std::atan2(-(q.y() - c.y()) / r.height(), (q.x() - c.x()) / r.width()) * 180 / std::numbers::pi;
    };
    const double start = angle(p.s(3), p.s(2));
    double span = angle(p.s(1), p.s(0)) - start;
    while (span <= 0)
        span += 360;
    const int a = int(std::lround(start * 16)), s = int(std::lround(span * 16));
    if (kind == 0) {
        if (SetPen())
            painter_.drawArc(r, a, s);
    } else {
        Shape(r, [&](QRectF f) { kind == 1 ? painter_.drawPie(f, a, s) : painter_.drawChord(f, a, s); });
    }
}

// A polygon, filled and outlined, or a polyline, outlined. The points and
// the covered area are charged first, then the fill by the rows its edges
// cross and the pen by the length it paints.
void Player::Poly(const Params& p, bool closed)
{
    if (!p.has(1) || !p.has(1 + 2 * qsizetype(p.u(0))))
        return;
    const qsizetype count = p.u(0);
    if (count > MaxRecordPoints || !Afford(count))
        return;
    const QPolygonF poly = Points(p, 1, count);
    if (!AffordArea(poly.boundingRect()))
        return;
    if (!closed) {
        if (SetPen() && Afford(PenWork(poly, false)))
            painter_.drawPolyline(poly);
        return;
    }
    SetBrush();
    const bool outlined = SetPen();
    if ((dc_.brush.style != 1 && !Afford(EdgeRowWork * EdgeRows(poly, true))) ||
        (outlined && !Afford(PenWork(poly, true))))
        return;
    painter_.drawPolygon(poly, dc_.winding ? Qt::WindingFill : Qt::OddEvenFill);
}

void Player::PolyPolygon(const Params& p)
{
    if (!p.has(1))
        return;
    const qsizetype polygons = p.u(0);
    if (!p.has(1 + polygons))
        return;
    qsizetype total = 0;
    for (qsizetype i = 0; i < polygons; ++i)
        total += p.u(1 + i);
    if (!p.has(1 + polygons + 2 * total) || total > MaxRecordPoints || !Afford(total + polygons))
        return;
    QPainterPath path;
    path.setFillRule(dc_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    qint64 edgeRows = 0, penWork = 0;
    for (qsizetype i = 0, at = 1 + polygons; i < polygons; at += 2 * p.u(1 + i), ++i) {
        const QPolygonF poly = Points(p, at, p.u(1 + i));
        edgeRows += EdgeRows(poly, true);
        penWork = std::min(penWork + PenWork(poly, true), MaxDrawingWork + 1);
        path.addPolygon(poly);
        path.closeSubpath();
    }
    if (!AffordArea(path.boundingRect()))
        return;
    SetBrush();
    const bool outlined = SetPen();
    if ((dc_.brush.style != 1 && !Afford(EdgeRowWork * edgeRows)) || (outlined && !Afford(penWork)))
        return;
    painter_.drawPath(path);
}

} // namespace wmf
