// The device context's state records, the mapping of logical units to
// picture pixels, and the drawing work each drawing is charged.
#include <algorithm>
#include <cmath>

#include "transfer/MetafilePlayback.h"
#include "transfer/MetafileRecords.h"

namespace wmf {

bool Player::StateRecord(quint16 f, const Params& p)
{
    switch (f) {
    case META_SAVEDC:
        if (saved_.size() < MaxSavedContexts)
            saved_.push_back(dc_);
        return true;
    case META_RESTOREDC: // negative counts back from the latest
        if (p.has(1) && !saved_.empty()) {
            const int n = p.s(0);
            const qsizetype index = n < 0 ? qsizetype(saved_.size()) + n : n - 1;
            if (index >= 0 && index < qsizetype(saved_.size())) {
                dc_ = saved_[std::size_t(index)];
                saved_.resize(std::size_t(index));
            }
        }
        return true;
    case META_SETBKCOLOR:
        if (p.has(2))
            dc_.backColour = ColorRef(p.u32(0));
        return true;
    case META_SETTEXTCOLOR:
        if (p.has(2))
            dc_.textColour = ColorRef(p.u32(0));
        return true;
    case META_SETBKMODE:
        if (p.has(1))
            dc_.opaqueBack = p.u(0) == 2;
        return true;
    case META_SETPOLYFILLMODE:
        if (p.has(1))
            dc_.winding = p.u(0) == 2;
        return true;
    case META_SETTEXTALIGN:
        if (p.has(1))
            dc_.textAlign = p.u(0);
        return true;
    case META_SETWINDOWORG:
        if (p.has(2))
            dc_.windowOrg = QPoint(p.s(1), p.s(0));
        return true;
    case META_SETWINDOWEXT:
        if (p.has(2))
            dc_.windowExt = QSize(p.s(1), p.s(0));
        return true;
    case META_OFFSETWINDOWORG:
        if (p.has(2))
            dc_.windowOrg += QPoint(p.s(1), p.s(0));
        return true;
    case META_MOVETO:
        if (p.has(2))
            dc_.position = QPoint(p.s(1), p.s(0));
        return true;
    default:
        return false;
    }
}

// ---- Drawing work.

bool Player::Afford(qint64 cost)
{
    if (spent_ || cost > MaxDrawingWork - work_) {
        spent_ = true;
        return false;
    }
    work_ += cost;
    return true;
}

// The pen's width in picture pixels, at most a picture's side.
double Player::PenWidth() const
{
    return std::min(dc_.pen.width * (ScaleX() + ScaleY()) / 2, double(maxSide_));
}

// The rows of the picture a segment crosses, at least one: each is a span
// of its own for the pen and an edge to sort for the fill.
qint64 Player::RowsCrossed(QPointF a, QPointF b) const
{
    const double top = std::max(std::min(a.y(), b.y()), 0.0);
    const double bottom = std::min(std::max(a.y(), b.y()), double(header_.size.height()));
    return 1 + (bottom > top ? qint64(std::ceil(bottom - top)) : 0);
}

// A line costs its length times the pen's width, and a span for each row
// it crosses (a steep line of one pixel is painted one row at a time).
double Player::LineWork(QPointF a, QPointF b) const
{
    const double length = std::min(std::abs(a.x() - b.x()) + std::abs(a.y() - b.y()), 4.0 * maxSide_) + 1;
    return std::ceil(length * (PenWidth() + 1)) + double(EdgeRowWork) * double(RowsCrossed(a, b));
}

bool Player::AffordLine(QPointF a, QPointF b)
{
    return Afford(qint64(LineWork(a, b)));
}

// The pixels of a rectangle of picture pixels that lie on the picture,
// widened by the pen.
bool Player::AffordArea(const QRectF& r)
{
    const double margin = PenWidth() + 1;
    const QRectF on = r.normalized().adjusted(-margin, -margin, margin, margin).intersected(
        QRectF(0, 0, header_.size.width(), header_.size.height()));
    return Afford(on.isEmpty() ? 1 : qint64(std::ceil(on.width())) * qint64(std::ceil(on.height())));
}

// The rows of the picture each edge crosses, summed: what filling costs
// beyond the pixels it paints. A polygon zig-zagging from top to bottom in a
// narrow column paints little but makes every row sort all its edges.
qint64 Player::EdgeRows(const QPolygonF& poly, bool closed) const
{
    qint64 rows = 0;
    const qsizetype n = poly.size();
    for (qsizetype i = 0; i + 1 < n || (closed && n > 1 && i < n); ++i)
        rows += RowsCrossed(poly[i], poly[(i + 1) % n]);
    return rows;
}

// The pen paints each segment's length times its width; a wide pen's
// outline is filled as a polygon of twice the edges.
qint64 Player::PenWork(const QPolygonF& poly, bool closed) const
{
    double work = 0;
    const qsizetype n = poly.size();
    for (qsizetype i = 0; i + 1 < n || (closed && n > 1 && i < n); ++i)
        work += LineWork(poly[i], poly[(i + 1) % n]);
    if (PenWidth() >= 1.5)
        work += 2.0 * EdgeRowWork * double(EdgeRows(poly, closed));
    return qint64(std::min(work, double(MaxDrawingWork) + 1));
}

// ---- Coordinates.

QPointF Player::Map(double x, double y) const
{
    const QSize ext = dc_.windowExt;
    const double sx = ext.width() ? double(header_.size.width()) / ext.width() : 1;
    const double sy = ext.height() ? double(header_.size.height()) / ext.height() : 1;
    return {(x - dc_.windowOrg.x()) * sx, (y - dc_.windowOrg.y()) * sy};
}

double Player::ScaleX() const
{
    return dc_.windowExt.width() ? std::abs(double(header_.size.width()) / dc_.windowExt.width()) : 1;
}

double Player::ScaleY() const
{
    return dc_.windowExt.height() ? std::abs(double(header_.size.height()) / dc_.windowExt.height()) : 1;
}

// A rectangle in whole pixels, right and bottom edges excluded as on the
// original platform.
QRect Player::MapRect(int l, int t, int r, int b) const
{
    const QPointF a = Map(l, t), c = Map(r, b);
    const QRectF f = QRectF(a, c).normalized();
    const auto clamp = [](double v) { return int(std::clamp(std::round(v), -1e6, 1e6)); };
    return QRect(QPoint(clamp(f.left()), clamp(f.top())), QPoint(clamp(f.right()) - 1, clamp(f.bottom()) - 1));
}

} // namespace wmf
