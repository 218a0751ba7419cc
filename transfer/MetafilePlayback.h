// The inside of the metafile player, shared by its files: the records'
// parameters, the objects and device context, and the player, whose record
// handling is split by kind (state, objects, shapes, bitmaps, text).
#pragma once
#include <QByteArray>
#include <QPainter>
#include <QRect>
#include <QtEndian>

#include <variant>
#include <vector>

namespace wmf {

// Hostile files must stay cheap: records played, saved contexts, text size.
inline constexpr int MaxRecords = 200000;
// The drawing work a picture may cost, in pixels touched (each record's
// clipped extent, plus a little for the record itself): about twenty
// layers of a 4096 x 4096 picture, well under a second here. A file of
// thousands of full-size shapes stops there instead of holding the window.
inline constexpr qint64 MaxDrawingWork = qint64(20) * 4096 * 4096;
inline constexpr qint64 RecordWork = 16;
// Filling a polygon costs each edge once for every row it crosses (the
// edges a row meets are sorted on it), and a pen each row a line crosses
// (a span of its own): each about as much as 32 pixels touched.
inline constexpr qint64 EdgeRowWork = 32;
// The points one record may carry: a polygon holds at most 65,535 anyway,
// several polygons together not many more.
inline constexpr qsizetype MaxRecordPoints = 4 * 65536;
inline constexpr int MaxSavedContexts = 256;
inline constexpr double MaxFontPixels = 2048;

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

inline QColor ColorRef(quint32 v)
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

class Player {
public:
    Player(const Header& h, QImage& image, int maxSide);

    void Play(const QByteArray& data);
    // True when playback stopped at the bound of drawing work.
    bool Spent() const { return spent_; }

private:
    // Each kind of record; false for a record of another kind.
    bool StateRecord(quint16 f, const Params& p);
    bool ObjectRecord(quint16 f, const Params& p);
    bool ShapeRecord(quint16 f, const Params& p);
    bool BitmapRecord(quint16 f, const Params& p);
    bool TextRecord(quint16 f, const Params& p);

    // ---- Drawing work: charged before each drawing; once the bound is
    // reached nothing more is drawn.
    bool Afford(qint64 cost);
    double PenWidth() const;
    qint64 RowsCrossed(QPointF a, QPointF b) const;
    double LineWork(QPointF a, QPointF b) const;
    bool AffordLine(QPointF a, QPointF b);
    bool AffordArea(const QRectF& r);
    // A polygon (closed) or polyline as its fill and its pen will cost.
    qint64 EdgeRows(const QPolygonF& poly, bool closed) const;
    qint64 PenWork(const QPolygonF& poly, bool closed) const;

    // ---- Coordinates: logical units through the window to picture pixels.
    QPointF Map(double x, double y) const;
    double ScaleX() const;
    double ScaleY() const;
    QRect MapRect(int l, int t, int r, int b) const;

    bool SetPen();
    void SetBrush();
    void AddObject(Object o);

    template <class Draw>
    void Shape(QRect r, Draw draw);
    QPolygonF Points(const Params& p, qsizetype first, qsizetype count) const;
    void Arc(const Params& p, int kind);
    void Poly(const Params& p, bool closed);
    void PolyPolygon(const Params& p);
    void Text(int x, int y, const QByteArray& bytes, const QRect* opaqueRect);
    void Blit(const Params& p, qsizetype dibAt, int sx, int sy, int sw, int sh, QRect dest, quint32 rop);

    const Header& header_;
    QPainter painter_;
    std::vector<Object> objects_;
    int maxSide_;
    Context dc_;
    std::vector<Context> saved_;
    qint64 work_ = 0;
    bool spent_ = false;
};

} // namespace wmf
