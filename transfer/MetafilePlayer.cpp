#include "transfer/MetafilePlayer.h"

#include "transfer/PictureDecoder.h"

#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <variant>
#include <vector>

namespace wmf {
namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr int PlaceableSize = 22;
constexpr int HeaderWords = 9;
// Hostile files must stay cheap: records played, saved contexts, text size.
constexpr int MaxRecords = 200000;
// The drawing work a picture may cost, in pixels touched (each record's
// clipped extent, plus a little for the record itself): about twenty
// layers of a 4096 x 4096 picture, well under a second here. A file of
// thousands of full-size shapes stops there instead of holding the window.
constexpr qint64 MaxDrawingWork = qint64(20) * 4096 * 4096;
constexpr qint64 RecordWork = 16;
constexpr int MaxSavedContexts = 256;
constexpr double MaxFontPixels = 2048;
// Where a blit record has no bitmap: an offset no record reaches.
constexpr qsizetype NoBitmap = 1 << 20;

// The parameters of one record, read as 16-bit words; a read past the end
// reports failure instead of reading on.
class Params {
public:
    Params(const char* data, qsizetype size) : d_(data), n_(size) {}
    qsizetype bytes() const { return n_; }
    bool has(qsizetype words) const { return words * 2 <= n_; }
    qint16 s(qsizetype i) const { return qFromLittleEndian<qint16>(d_ + 2 * i); }
    quint16 u(qsizetype i) const { return qFromLittleEndian<quint16>(d_ + 2 * i); }
    quint32 u32(qsizetype i) const { return qFromLittleEndian<quint32>(d_ + 2 * i); }
    const char* at(qsizetype i) const { return d_ + 2 * i; }

private:
    const char* d_;
    qsizetype n_;
};

QColor ColorRef(quint32 v)
{
    return QColor(int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF));
}

struct PenObject {
    int style = 0; // 0 solid ... 5 null
    int width = 0; // logical units; 0 is one pixel
    QColor colour = Qt::black;
};
struct BrushObject {
    int style = 0; // 0 solid, 1 null, 2 hatched
    int hatch = 0;
    QColor colour = Qt::white;
};
struct FontObject {
    int height = 12;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
};
// Palettes, regions and pattern brushes take a slot but draw nothing of their own.
struct OtherObject {};
using Object = std::variant<std::monostate, PenObject, BrushObject, FontObject, OtherObject>;

struct Context {
    PenObject pen;
    BrushObject brush;
    FontObject font;
    QColor textColour = Qt::black;
    QColor backColour = Qt::white;
    bool opaqueBack = true;
    int textAlign = 0;
    bool winding = false;
    QPoint position;
    QPoint windowOrg;
    QSize windowExt;
};

struct Header {
    QSize size;
    int records = 0; // offset of the first record
    int objects = 0;
    bool placeable = false;
    QRect box;
};

std::optional<Header> ReadHeader(const QByteArray& data, int maxSide)
{
    Header h;
    const char* d = data.constData();
    if (data.size() >= PlaceableSize && qFromLittleEndian<quint32>(d) == PlaceableKey) {
        const int left = qFromLittleEndian<qint16>(d + 6), top = qFromLittleEndian<qint16>(d + 8);
        const int right = qFromLittleEndian<qint16>(d + 10), bottom = qFromLittleEndian<qint16>(d + 12);
        const int inch = qFromLittleEndian<quint16>(d + 14);
        if (inch == 0)
            return std::nullopt;
        h.placeable = true;
        h.box = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                      QSize(std::abs(right - left), std::abs(bottom - top)));
        h.size = QSize(int(std::lround(h.box.width() * 96.0 / inch)),
                       int(std::lround(h.box.height() * 96.0 / inch)));
        h.records = PlaceableSize;
    }
    if (data.size() < h.records + 2 * HeaderWords)
        return std::nullopt;
    const char* m = d + h.records;
    const int type = qFromLittleEndian<quint16>(m), words = qFromLittleEndian<quint16>(m + 2);
    if ((type != 1 && type != 2) || words != HeaderWords)
        return std::nullopt;
    h.objects = qFromLittleEndian<quint16>(m + 10);
    h.records += 2 * HeaderWords;
    if (!h.placeable) {
        // A plain metafile is as big as the first window extent it sets.
        for (qsizetype pos = h.records; pos + 6 <= data.size();) {
            const quint32 size = qFromLittleEndian<quint32>(d + pos);
            const quint16 function = qFromLittleEndian<quint16>(d + pos + 4);
            if (size < 3 || size > quint32(data.size() - pos) / 2 || function == 0)
                break;
            if (function == 0x020C && size >= 5) {
                h.size = QSize(std::abs(qFromLittleEndian<qint16>(d + pos + 8)),
                               std::abs(qFromLittleEndian<qint16>(d + pos + 6)));
                break;
            }
            pos += qsizetype(size) * 2;
        }
    }
    if (h.size.width() < 1 || h.size.height() < 1 || h.size.width() > maxSide || h.size.height() > maxSide)
        return std::nullopt;
    return h;
}

class Player {
public:
    Player(const Header& h, QImage& image, int maxSide)
        : header_(h), painter_(&image), objects_(h.objects), maxSide_(maxSide)
    {
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, false);
        if (h.placeable) {
            dc_.windowOrg = h.box.topLeft();
            dc_.windowExt = h.box.size();
        } else {
            dc_.windowExt = h.size;
        }
    }

    void Play(const QByteArray& data)
    {
        const char* d = data.constData();
        int played = 0;
        for (qsizetype pos = header_.records; pos + 6 <= data.size() && played < MaxRecords && !spent_; ++played) {
            const quint32 size = qFromLittleEndian<quint32>(d + pos);
            const quint16 function = qFromLittleEndian<quint16>(d + pos + 4);
            // A record must hold at least its own size and function, and fit.
            if (size < 3 || size > quint32(data.size() - pos) / 2 || function == 0)
                return;
            if (Afford(RecordWork))
                Record(function, Params(d + pos + 6, qsizetype(size) * 2 - 6));
            pos += qsizetype(size) * 2;
        }
    }

    // True when playback stopped at the bound of drawing work.
    bool Spent() const { return spent_; }

private:
    // ---- Drawing work: charged before each drawing; once the bound is
    // reached nothing more is drawn.

    bool Afford(qint64 cost)
    {
        if (spent_ || cost > MaxDrawingWork - work_) {
            spent_ = true;
            return false;
        }
        work_ += cost;
        return true;
    }
    // A line costs its length times the pen's width.
    bool AffordLine(QPointF a, QPointF b)
    {
        const double width = std::min(dc_.pen.width * (ScaleX() + ScaleY()) / 2, double(maxSide_)) + 1;
        const double length = std::min(std::abs(a.x() - b.x()) + std::abs(a.y() - b.y()), 4.0 * maxSide_) + 1;
        return Afford(qint64(std::ceil(length * width)));
    }
    // The pixels of a rectangle of picture pixels that lie on the picture,
    // widened by the pen.
    bool AffordArea(const QRectF& r)
    {
        const double margin = std::min(dc_.pen.width * (ScaleX() + ScaleY()) / 2, double(maxSide_)) + 1;
        const QRectF on = r.normalized().adjusted(-margin, -margin, margin, margin).intersected(
            QRectF(0, 0, header_.size.width(), header_.size.height()));
        return Afford(on.isEmpty() ? 1 : qint64(std::ceil(on.width())) * qint64(std::ceil(on.height())));
    }

    // ---- Coordinates: logical units through the window to picture pixels.

    QPointF Map(double x, double y) const
    {
        const QSize ext = dc_.windowExt;
        const double sx = ext.width() ? double(header_.size.width()) / ext.width() : 1;
        const double sy = ext.height() ? double(header_.size.height()) / ext.height() : 1;
        return {(x - dc_.windowOrg.x()) * sx, (y - dc_.windowOrg.y()) * sy};
    }
    double ScaleX() const
    {
        return dc_.windowExt.width() ? std::abs(double(header_.size.width()) / dc_.windowExt.width()) : 1;
    }
    double ScaleY() const
    {
        return dc_.windowExt.height() ? std::abs(double(header_.size.height()) / dc_.windowExt.height()) : 1;
    }
    // A rectangle in whole pixels, right and bottom edges excluded as on the
    // original platform.
    QRect MapRect(int l, int t, int r, int b) const
    {
        const QPointF a = Map(l, t), c = Map(r, b);
        const QRectF f = QRectF(a, c).normalized();
        const auto clamp = [](double v) { return int(std::clamp(std::round(v), -1e6, 1e6)); };
        return QRect(QPoint(clamp(f.left()), clamp(f.top())), QPoint(clamp(f.right()) - 1, clamp(f.bottom()) - 1));
    }

    bool SetPen()
    {
        const PenObject& p = dc_.pen;
        if ((p.style & 0x0F) == 5) {
            painter_.setPen(Qt::NoPen);
            return false;
        }
        static constexpr Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                                  Qt::DashDotDotLine};
        const int style = p.style & 0x0F;
        QPen pen(p.colour);
        // Wide pens are always solid, as on the original platform.
        const double width = std::min(p.width * (ScaleX() + ScaleY()) / 2, double(maxSide_));
        pen.setWidthF(width >= 1.5 ? width : 0);
        pen.setStyle(width >= 1.5 || style > 4 ? Qt::SolidLine : styles[style]);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter_.setPen(pen);
        return true;
    }
    void SetBrush()
    {
        const BrushObject& b = dc_.brush;
        static constexpr Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::BDiagPattern,
                                                     Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        if (b.style == 1)
            painter_.setBrush(Qt::NoBrush);
        else if (b.style == 2)
            painter_.setBrush(QBrush(b.colour, hatches[std::clamp(b.hatch, 0, 5)]));
        else
            painter_.setBrush(b.colour);
    }

    // A closed shape: filled with the brush, outlined with the pen, in a
    // rectangle whose right and bottom edges are excluded.
    template <class Draw>
    void Shape(QRect r, Draw draw)
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

    QPolygonF Points(const Params& p, qsizetype first, qsizetype count) const
    {
        QPolygonF poly;
        poly.reserve(count);
        for (qsizetype i = 0; i < count; ++i)
            poly << Map(p.s(first + 2 * i), p.s(first + 2 * i + 1));
        return poly;
    }

    void Arc(const Params& p, int kind)
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

    void AddObject(Object o)
    {
        for (Object& slot : objects_)
            if (std::holds_alternative<std::monostate>(slot)) {
                slot = std::move(o);
                return;
            }
        // No free slot: the object is dropped, as the header promised no more.
    }

    void Text(int x, int y, const QByteArray& bytes, const QRect* opaqueRect)
    {
        const QString text = FromCodePage1250(bytes);
        const FontObject& f = dc_.font;
        QFont font(f.face.isEmpty() ? QStringLiteral("DejaVu Sans") : f.face);
        const double px = std::clamp(std::abs(f.height ? f.height : 12) * ScaleY(), 1.0, MaxFontPixels);
        font.setPixelSize(std::max(1, int(std::lround(f.height > 0 ? px * 0.8 : px))));
        font.setWeight(f.weight >= 600 ? QFont::Bold : QFont::Normal);
        font.setItalic(f.italic);
        font.setUnderline(f.underline);
        font.setStrikeOut(f.strikeOut);
        font.setStyleStrategy(QFont::NoAntialias);
        painter_.setFont(font);
        const QFontMetricsF fm(font);
        const bool updateCp = dc_.textAlign & 1;
        QPointF at = updateCp ? Map(dc_.position.x(), dc_.position.y()) : Map(x, y);
        const double width = fm.horizontalAdvance(text);
        const int horizontal = dc_.textAlign & 6, vertical = dc_.textAlign & 24;
        double left = horizontal == 6 ? at.x() - width / 2 : horizontal == 2 ? at.x() - width : at.x();
        double baseline = vertical == 24 ? at.y() : vertical == 8 ? at.y() - fm.descent() : at.y() + fm.ascent();
        const QRectF box(left, baseline - fm.ascent(), width, fm.height());
        if (!AffordArea(opaqueRect ? box.united(*opaqueRect) : box) || !Afford(text.size()))
            return;
        if (opaqueRect)
            painter_.fillRect(*opaqueRect, dc_.backColour);
        else if (dc_.opaqueBack)
            painter_.fillRect(box, dc_.backColour);
        painter_.setPen(dc_.textColour);
        painter_.drawText(QPointF(left, baseline), text);
        if (updateCp && horizontal == 0)
            dc_.position.rx() += int(std::lround(width / std::max(ScaleX(), 1e-9)));
    }

    void Blit(const Params& p, qsizetype dibAt, int sx, int sy, int sw, int sh, QRect dest, quint32 rop)
    {
        if (dest.width() < 1 || dest.height() < 1 || !AffordArea(dest))
            return;
        if (!p.has(dibAt + 20)) {
            // Without a bitmap the record paints its pattern.
            if (rop == 0x00000042)
                painter_.fillRect(dest, Qt::black);
            else if (rop == 0x00FF0062)
                painter_.fillRect(dest, Qt::white);
            else if (dc_.brush.style != 1)
                painter_.fillRect(dest, dc_.brush.colour);
            return;
        }
        // Decoding costs the bitmap's pixels, charged before it is done (a
        // run-length bitmap of the largest size fits in a few bytes).
        const qint64 w = qFromLittleEndian<qint32>(p.at(dibAt) + 4);
        const qint64 h = std::abs(qint64(qFromLittleEndian<qint32>(p.at(dibAt) + 8)));
        if (w < 1 || w > maxSide_ || h < 1 || h > maxSide_ || !Afford(w * h))
            return;
        const auto decoded = DecodeDib(QByteArray(p.at(dibAt), p.bytes() - 2 * dibAt), maxSide_);
        if (!decoded)
            return;
        const QImage& dib = *decoded;
        QRect source = QRect(sx, sy, sw, sh).normalized();
        if (source.isEmpty())
            source = dib.rect();
        painter_.drawImage(dest, dib, source);
    }

    void Record(quint16 f, const Params& p)
    {
        switch (f) {
        case 0x001E: // save context
            if (saved_.size() < MaxSavedContexts)
                saved_.push_back(dc_);
            break;
        case 0x0127: // restore context: negative counts back from the latest
            if (p.has(1) && !saved_.empty()) {
                const int n = p.s(0);
                const qsizetype index = n < 0 ? qsizetype(saved_.size()) + n : n - 1;
                if (index >= 0 && index < qsizetype(saved_.size())) {
                    dc_ = saved_[std::size_t(index)];
                    saved_.resize(std::size_t(index));
                }
            }
            break;
        case 0x0201: // background colour
            if (p.has(2))
                dc_.backColour = ColorRef(p.u32(0));
            break;
        case 0x0209: // text colour
            if (p.has(2))
                dc_.textColour = ColorRef(p.u32(0));
            break;
        case 0x0102: // background mode
            if (p.has(1))
                dc_.opaqueBack = p.u(0) == 2;
            break;
        case 0x0106: // polygon fill mode
            if (p.has(1))
                dc_.winding = p.u(0) == 2;
            break;
        case 0x012E: // text alignment
            if (p.has(1))
                dc_.textAlign = p.u(0);
            break;
        case 0x020B: // window origin
            if (p.has(2))
                dc_.windowOrg = QPoint(p.s(1), p.s(0));
            break;
        case 0x020C: // window extent
            if (p.has(2))
                dc_.windowExt = QSize(p.s(1), p.s(0));
            break;
        case 0x020F: // offset window origin
            if (p.has(2))
                dc_.windowOrg += QPoint(p.s(1), p.s(0));
            break;
        case 0x0214: // move to
            if (p.has(2))
                dc_.position = QPoint(p.s(1), p.s(0));
            break;
        case 0x0213: // line to
            if (p.has(2)) {
                const QPoint to(p.s(1), p.s(0));
                const QPointF a = Map(dc_.position.x(), dc_.position.y()), b = Map(to.x(), to.y());
                if (SetPen() && AffordLine(a, b))
                    painter_.drawLine(a, b);
                dc_.position = to;
            }
            break;
        case 0x041F: // set pixel
            if (p.has(4)) {
                const QPointF q = Map(p.s(3), p.s(2));
                painter_.fillRect(QRectF(std::floor(q.x()), std::floor(q.y()), 1, 1), ColorRef(p.u32(0)));
            }
            break;
        case 0x041B: // rectangle
            if (p.has(4))
                Shape(MapRect(p.s(3), p.s(2), p.s(1), p.s(0)), [this](QRectF r) { painter_.drawRect(r); });
            break;
        case 0x061C: // round rectangle
            if (p.has(6)) {
                const double rx = std::abs(p.s(1)) * ScaleX() / 2, ry = std::abs(p.s(0)) * ScaleY() / 2;
                Shape(MapRect(p.s(5), p.s(4), p.s(3), p.s(2)),
                      [&](QRectF r) { painter_.drawRoundedRect(r, rx, ry); });
            }
            break;
        case 0x0418: // ellipse
            if (p.has(4))
                Shape(MapRect(p.s(3), p.s(2), p.s(1), p.s(0)), [this](QRectF r) { painter_.drawEllipse(r); });
            break;
        case 0x0817: // arc
            Arc(p, 0);
            break;
        case 0x081A: // pie
            Arc(p, 1);
            break;
        case 0x0830: // chord
            Arc(p, 2);
            break;
        case 0x0324: // polygon
        case 0x0325: // polyline
            if (p.has(1) && p.has(1 + 2 * qsizetype(p.u(0)))) {
                const QPolygonF poly = Points(p, 1, p.u(0));
                if (!Afford(poly.size()) || !AffordArea(poly.boundingRect()))
                    break;
                if (f == 0x0325) {
                    if (SetPen())
                        painter_.drawPolyline(poly);
                } else {
                    SetBrush();
                    SetPen();
                    painter_.drawPolygon(poly, dc_.winding ? Qt::WindingFill : Qt::OddEvenFill);
                }
            }
            break;
        case 0x0538: // several polygons
            if (p.has(1)) {
                const qsizetype polygons = p.u(0);
                if (!p.has(1 + polygons))
                    break;
                qsizetype total = 0;
                for (qsizetype i = 0; i < polygons; ++i)
                    total += p.u(1 + i);
                if (!p.has(1 + polygons + 2 * total))
                    break;
                QPainterPath path;
                path.setFillRule(dc_.winding ? Qt::WindingFill : Qt::OddEvenFill);
                for (qsizetype i = 0, at = 1 + polygons; i < polygons; at += 2 * p.u(1 + i), ++i)
                    path.addPolygon(Points(p, at, p.u(1 + i))), path.closeSubpath();
                if (!Afford(total + polygons) || !AffordArea(path.boundingRect()))
                    break;
                SetBrush();
                SetPen();
                painter_.drawPath(path);
            }
            break;
        case 0x0521: // text
            if (p.has(1)) {
                const qsizetype len = p.u(0), words = (len + 1) / 2;
                if (p.has(1 + words + 2))
                    Text(p.s(1 + words + 1), p.s(1 + words), QByteArray(p.at(1), len), nullptr);
            }
            break;
        case 0x0A32: // text with options
            if (p.has(4)) {
                const qsizetype len = p.u(2);
                const int options = p.u(3);
                const bool hasRect = options & 0x0006;
                const qsizetype textAt = 4 + (hasRect ? 4 : 0);
                if (p.bytes() < 2 * textAt + len)
                    break;
                QRect rect;
                if (hasRect)
                    rect = MapRect(p.s(4), p.s(5), p.s(6), p.s(7));
                Text(p.s(1), p.s(0), QByteArray(p.at(textAt), len), (options & 2) ? &rect : nullptr);
            }
            break;
        case 0x061D: // pattern fill
            if (p.has(6))
                Blit(p, NoBitmap, 0, 0, 0, 0, MapRect(p.s(5), p.s(4), p.s(5) + p.s(3), p.s(4) + p.s(2)), p.u32(0));
            break;
        case 0x0940: // DIB copy; without a bitmap a reserved word stands for the source
            if (p.bytes() >= 2 * 8 + 40) {
                const int w = p.s(5), h = p.s(4);
                Blit(p, 8, p.s(3), p.s(2), w, h, MapRect(p.s(7), p.s(6), p.s(7) + w, p.s(6) + h), p.u32(0));
            } else if (p.has(7)) {
                const int w = p.s(4), h = p.s(3);
                Blit(p, NoBitmap, 0, 0, 0, 0, MapRect(p.s(6), p.s(5), p.s(6) + w, p.s(5) + h), p.u32(0));
            }
            break;
        case 0x0B41: // DIB stretch
            if (p.has(10)) {
                Blit(p, 10, p.s(5), p.s(4), p.s(3), p.s(2),
                     MapRect(p.s(9), p.s(8), p.s(9) + p.s(7), p.s(8) + p.s(6)), p.u32(0));
            }
            break;
        case 0x0F43: // DIB stretch with colour usage
            if (p.has(11)) {
                Blit(p, 11, p.s(6), p.s(5), p.s(4), p.s(3),
                     MapRect(p.s(10), p.s(9), p.s(10) + p.s(8), p.s(9) + p.s(7)), p.u32(0));
            }
            break;
        case 0x02FA: // pen
            if (p.has(5))
                AddObject(PenObject{p.u(0), p.s(1), ColorRef(p.u32(3))});
            else
                AddObject(OtherObject{});
            break;
        case 0x02FC: // brush
            if (p.has(4))
                AddObject(BrushObject{p.u(0), p.u(3), ColorRef(p.u32(1))});
            else
                AddObject(OtherObject{});
            break;
        case 0x02FB: // font
            if (p.has(9)) {
                FontObject font;
                font.height = p.s(0);
                font.weight = p.s(4);
                const char* flags = p.at(5);
                font.italic = flags[0];
                font.underline = flags[1];
                font.strikeOut = flags[2];
                const QByteArray face(p.at(9), std::min<qsizetype>(32, p.bytes() - 18));
                font.face = FromCodePage1250(face.left(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0')));
                AddObject(font);
            } else {
                AddObject(OtherObject{});
            }
            break;
        case 0x00F7: // palette
        case 0x01F9: // pattern brush
        case 0x0142: // DIB pattern brush
        case 0x06FF: // region
            AddObject(OtherObject{});
            break;
        case 0x012D: // select object
            if (p.has(1) && p.u(0) < objects_.size()) {
                const Object& o = objects_[p.u(0)];
                if (const auto* pen = std::get_if<PenObject>(&o))
                    dc_.pen = *pen;
                else if (const auto* brush = std::get_if<BrushObject>(&o))
                    dc_.brush = *brush;
                else if (const auto* font = std::get_if<FontObject>(&o))
                    dc_.font = *font;
            }
            break;
        case 0x01F0: // delete object
            if (p.has(1) && p.u(0) < objects_.size())
                objects_[p.u(0)] = std::monostate{};
            break;
        default: // mapping mode, palettes, clipping, escapes: not needed for pictures
            break;
        }
    }

    const Header& header_;
    QPainter painter_;
    std::vector<Object> objects_;
    int maxSide_;
    Context dc_;
    std::vector<Context> saved_;
    qint64 work_ = 0;
    bool spent_ = false;
};

constexpr char16_t HighHalf1250[128] = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021, 0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

} // namespace

QString FromCodePage1250(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b < 0x80 ? QChar(b) : QChar(HighHalf1250[b - 0x80]));
    }
    return out;
}

std::optional<QSize> MetafileSize(const QByteArray& data, int maxSide)
{
    const auto h = ReadHeader(data, maxSide);
    return h ? std::optional<QSize>(h->size) : std::nullopt;
}

std::optional<QImage> PlayMetafile(const QByteArray& data, int maxSide)
{
    const auto h = ReadHeader(data, maxSide);
    if (!h)
        return std::nullopt;
    QImage image(h->size, QImage::Format_ARGB32);
    if (image.isNull())
        return std::nullopt;
    image.fill(Qt::transparent);
    {
        Player player(*h, image, maxSide);
        player.Play(data);
    }
    return image;
}

} // namespace wmf
