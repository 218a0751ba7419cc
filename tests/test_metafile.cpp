// The metafile player on metafiles written here record by record: sizes,
// shapes with pens and brushes, text, bitmaps, saved contexts, the object
// table, and damaged data.
#include <QtEndian>
#include <QtTest>

#include <initializer_list>

#include "transfer/MetafilePlayer.h"

namespace {

// Builds a metafile record by record; words are 16-bit parameters.
class Wmf {
public:
    Wmf& rec(int function, std::initializer_list<int> words, const QByteArray& tail = {})
    {
        QByteArray params;
        for (int w : words)
            Put16(params, w);
        params += tail;
        if (params.size() % 2)
            params += '\0';
        Put32(body_, quint32(3 + params.size() / 2));
        Put16(body_, function);
        body_ += params;
        return *this;
    }
    Wmf& raw(const QByteArray& bytes)
    {
        body_ += bytes;
        return *this;
    }
    Wmf& colour(int function, QRgb c) { return rec(function, {Lo(c), Hi(c)}); }
    Wmf& pen(int style, int width, QRgb c) { return rec(0x02FA, {style, width, 0, Lo(c), Hi(c)}); }
    Wmf& brush(int style, QRgb c, int hatch = 0) { return rec(0x02FC, {style, Lo(c), Hi(c), hatch}); }
    Wmf& select(int i) { return rec(0x012D, {i}); }
    Wmf& rect(int l, int t, int r, int b) { return rec(0x041B, {b, r, t, l}); }
    Wmf& ellipse(int l, int t, int r, int b) { return rec(0x0418, {b, r, t, l}); }
    Wmf& windowExt(int w, int h) { return rec(0x020C, {h, w}); }
    Wmf& windowOrg(int x, int y) { return rec(0x020B, {y, x}); }

    // A placeable file: bounding box and units per inch before the header.
    QByteArray placeable(int left, int top, int right, int bottom, int inch, int objects = 8) const
    {
        QByteArray b;
        Put32(b, 0x9AC6CDD7);
        Put16(b, 0);
        for (int v : {left, top, right, bottom, inch})
            Put16(b, v);
        Put32(b, 0);
        Put16(b, 0);
        return b + plain(objects);
    }
    QByteArray plain(int objects = 8) const
    {
        QByteArray b;
        Put16(b, 1);
        Put16(b, 9);
        Put16(b, 0x300);
        Put32(b, quint32(9 + body_.size() / 2 + 3));
        Put16(b, objects);
        Put32(b, 0);
        Put16(b, 0);
        b += body_;
        Put32(b, 3); // end record
        Put16(b, 0);
        return b;
    }

    static void Put16(QByteArray& b, int v) { b.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF)); }
    static void Put32(QByteArray& b, quint32 v)
    {
        Put16(b, int(v & 0xFFFF));
        Put16(b, int(v >> 16));
    }

private:
    // COLORREF: red in the low byte.
    static int Lo(QRgb c) { return qRed(c) | qGreen(c) << 8; }
    static int Hi(QRgb c) { return qBlue(c); }
    QByteArray body_;
};

constexpr QRgb Red = 0xFFFF0000, Blue = 0xFF0000FF, Black = 0xFF000000, White = 0xFFFFFFFF,
               Green = 0xFF00FF00;

// The picture as rows of letters: '.' transparent, k black, w white, r red,
// g green, b blue, '?' anything else.
QString Letters(const QImage& img, QRect area = {})
{
    if (area.isNull())
        area = img.rect();
    QStringList rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QString row;
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = img.pixel(x, y);
            row += qAlpha(p) == 0 ? '.'
                   : p == Black   ? 'k'
                   : p == White   ? 'w'
                   : p == Red     ? 'r'
                   : p == Green   ? 'g'
                   : p == Blue    ? 'b'
                                  : '?';
        }
        rows << row;
    }
    return rows.join('\n');
}

QImage Play(const QByteArray& data)
{
    const auto img = wmf::PlayMetafile(data);
    return img ? *img : QImage();
}

// A 24-bit DIB (no file header), bottom-up, from rows of colours top first.
QByteArray Dib24(const QList<QList<QRgb>>& rows)
{
    const int w = int(rows[0].size()), h = int(rows.size());
    QByteArray b;
    Wmf::Put32(b, 40);
    Wmf::Put32(b, quint32(w));
    Wmf::Put32(b, quint32(h));
    Wmf::Put16(b, 1);
    Wmf::Put16(b, 24);
    for (int i = 0; i < 6; ++i)
        Wmf::Put32(b, 0);
    const int stride = (w * 3 + 3) / 4 * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, 0);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = char(qBlue(rows[y][x]));
            row[3 * x + 1] = char(qGreen(rows[y][x]));
            row[3 * x + 2] = char(qRed(rows[y][x]));
        }
        b += row;
    }
    return b;
}

} // namespace

class TestMetafile : public QObject {
    Q_OBJECT
private slots:
    void naturalSize_data();
    void naturalSize();
    void rectangleExcludesRightAndBottomEdges();
    void nullPenAndNullBrush();
    void windowMapsLogicalUnits();
    void ellipseIsFilledAndSymmetric();
    void polygonsAndHoles();
    void linesAndPolylines();
    void textInCodePage1250();
    void dibStretchAndCopy();
    void savedContextComesBack();
    void objectTableIsBoundedByTheHeader();
    void damagedData_data();
    void damagedData();
    void truncationsNeverMisbehave();
    void drawingWorkIsBounded();
    void polygonsAreChargedByTheirEdges();
};

void TestMetafile::naturalSize_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("size");
    QTest::newRow("placeable, 96 per inch") << Wmf().placeable(0, 0, 40, 20, 96) << QSize(40, 20);
    QTest::newRow("placeable, twips") << Wmf().placeable(0, 0, 1440, 720, 1440) << QSize(96, 48);
    QTest::newRow("placeable, box reversed") << Wmf().placeable(300, 300, 0, 0, 576) << QSize(50, 50);
    QTest::newRow("plain, window extent") << Wmf().windowOrg(5, 5).windowExt(70, -33).plain() << QSize(70, 33);
}

void TestMetafile::naturalSize()
{
    QFETCH(QByteArray, data);
    QFETCH(QSize, size);
    QCOMPARE(wmf::MetafileSize(data), size);
    const QImage img = Play(data);
    QCOMPARE(img.size(), size);
    QCOMPARE(img.format(), QImage::Format_ARGB32);
    QCOMPARE(img.pixel(0, 0), 0u); // nothing drawn: transparent
}

void TestMetafile::rectangleExcludesRightAndBottomEdges()
{
    const QByteArray data =
        Wmf().pen(0, 0, Black).brush(0, Red).select(0).select(1).rect(1, 1, 7, 6).placeable(0, 0, 8, 7, 96);
    QCOMPARE(Letters(Play(data)), QStringLiteral("........\n"
                                                 ".kkkkkk.\n"
                                                 ".krrrrk.\n"
                                                 ".krrrrk.\n"
                                                 ".krrrrk.\n"
                                                 ".kkkkkk.\n"
                                                 "........"));
}

void TestMetafile::nullPenAndNullBrush()
{
    const QByteArray data = Wmf()
                                .pen(5, 0, Black)
                                .brush(0, Green)
                                .select(0)
                                .select(1)
                                .rect(0, 0, 3, 2)
                                .pen(0, 0, Blue)
                                .brush(1, Red)
                                .select(2)
                                .select(3)
                                .rect(3, 0, 6, 3)
                                .placeable(0, 0, 6, 3, 96);
    QCOMPARE(Letters(Play(data)), QStringLiteral("gggbbb\n"
                                                 "gggb.b\n"
                                                 "...bbb"));
}

void TestMetafile::windowMapsLogicalUnits()
{
    // Ten logical units per pixel, origin moved, y axis flipped.
    const QByteArray data = Wmf()
                                .windowOrg(-100, 100)
                                .windowExt(80, -40)
                                .pen(5, 0, Black)
                                .brush(0, Blue)
                                .select(0)
                                .select(1)
                                .rect(-80, 90, -40, 70)
                                .placeable(0, 0, 8, 4, 96);
    QCOMPARE(Letters(Play(data)), QStringLiteral("........\n"
                                                 "..bbbb..\n"
                                                 "..bbbb..\n"
                                                 "........"));
}

void TestMetafile::ellipseIsFilledAndSymmetric()
{
    const QByteArray data =
        Wmf().pen(0, 0, Black).brush(0, Red).select(0).select(1).ellipse(0, 0, 21, 21).placeable(0, 0, 21, 21, 96);
    const QImage img = Play(data);
    QCOMPARE(img.pixel(10, 10), Red);
    QCOMPARE(img.pixel(0, 0), 0u);
    QCOMPARE(img.pixel(20, 20), 0u);
    QCOMPARE(img.pixel(10, 0), Black);
    QCOMPARE(img.pixel(0, 10), Black);
    QCOMPARE(img.pixel(10, 20), Black);
    QCOMPARE(img.pixel(20, 10), Black);
    QCOMPARE(Letters(img), Letters(img.mirrored(true, true)));
}

void TestMetafile::polygonsAndHoles()
{
    // A filled triangle, then a square with a square hole (alternate filling).
    const QByteArray data = Wmf()
                                .pen(5, 0, Black)
                                .brush(0, Green)
                                .select(0)
                                .select(1)
                                .rec(0x0324, {3, 0, 0, 10, 0, 0, 10})
                                .rec(0x0538, {2, 4, 4, 12, 0, 22, 0, 22, 10, 12, 10, 15, 3, 19, 3, 19, 7, 15, 7})
                                .placeable(0, 0, 22, 10, 96);
    const QImage img = Play(data);
    QCOMPARE(img.pixel(2, 2), Green);
    QCOMPARE(img.pixel(9, 9), 0u); // beyond the triangle's diagonal
    QCOMPARE(img.pixel(13, 1), Green);
    QCOMPARE(img.pixel(17, 5), 0u); // the hole
    QCOMPARE(img.pixel(20, 8), Green);
}

void TestMetafile::linesAndPolylines()
{
    const QByteArray data = Wmf()
                                .pen(0, 0, Red)
                                .select(0)
                                .rec(0x0214, {1, 0}) // move to (0, 1)
                                .rec(0x0213, {1, 5}) // line to (5, 1)
                                .rec(0x0325, {3, 0, 3, 3, 3, 3, 5})
                                .placeable(0, 0, 6, 6, 96);
    QCOMPARE(Letters(Play(data)), QStringLiteral("......\n"
                                                 "rrrrr.\n"
                                                 "......\n"
                                                 "rrrr..\n"
                                                 "...r..\n"
                                                 "......")); // the last point is left out
}

void TestMetafile::textInCodePage1250()
{
    QCOMPARE(wmf::FromCodePage1250("\xB3\xF3\x64\x9F \xA5\xCA\x8C\x8F\xAF\xD1"), QStringLiteral("łódź ĄĘŚŹŻŃ"));
    QByteArray font;
    Wmf::Put16(font, -20); // character height 20
    for (int v : {0, 0, 0, 700, 0, 0, 0, 0})
        Wmf::Put16(font, v);
    font += "DejaVu Sans" + QByteArray(1, '\0');
    const QByteArray text = "\xA3\xF3\x64\x9F"; // Łódź
    Wmf w;
    w.raw([&] {
        QByteArray r;
        Wmf::Put32(r, quint32(3 + font.size() / 2));
        Wmf::Put16(r, 0x02FB);
        return r + font;
    }());
    w.select(0).colour(0x0209, Red).rec(0x0102, {1}); // transparent background
    w.rec(0x0521, {int(text.size())}, text + QByteArray(4, '\0'));
    const QImage img = Play(w.placeable(0, 0, 60, 30, 96));
    int red = 0, other = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.pixel(x, y) == Red ? ++red : img.pixel(x, y) != 0 ? ++other : 0;
    QVERIFY2(red > 40, qPrintable(QString::number(red)));
    QCOMPARE(other, 0); // no smoothing: only the text colour
    // An opaque background fills behind the text in the background colour.
    w.rec(0x0102, {2}).colour(0x0201, Blue).rec(0x0521, {1}, "I" + QByteArray(5, '\0'));
    QCOMPARE(Play(w.placeable(0, 0, 60, 30, 96)).pixel(1, 1), Blue);
}

void TestMetafile::dibStretchAndCopy()
{
    const QByteArray dib = Dib24({{Red, Green}, {Blue, White}});
    // Stretch the 2 x 2 bitmap over 6 x 4 at (1, 0); copy it 1:1 at (0, 5).
    Wmf w;
    w.rec(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 4, 6, 0, 1}, dib);
    w.rec(0x0940, {0x0020, 0x00CC, 0, 0, 2, 2, 5, 0}, dib);
    QCOMPARE(Letters(Play(w.placeable(0, 0, 7, 7, 96))), QStringLiteral(".rrrggg\n"
                                                                        ".rrrggg\n"
                                                                        ".bbbwww\n"
                                                                        ".bbbwww\n"
                                                                        ".......\n"
                                                                        "rg.....\n"
                                                                        "bw....."));
}

void TestMetafile::savedContextComesBack()
{
    const QByteArray data = Wmf()
                                .pen(5, 0, Black)
                                .brush(0, Red)
                                .brush(0, Blue)
                                .select(0)
                                .select(1)
                                .rec(0x001E, {})
                                .select(2)
                                .rect(0, 0, 2, 1)
                                .rec(0x0127, {-1})
                                .rect(2, 0, 4, 1)
                                .rec(0x0127, {-1}) // nothing left to restore
                                .rect(4, 0, 6, 1)
                                .placeable(0, 0, 6, 1, 96);
    QCOMPARE(Letters(Play(data)), QStringLiteral("bbrrrr"));
}

void TestMetafile::objectTableIsBoundedByTheHeader()
{
    // Two slots: the third object finds none, so selecting 2 selects nothing;
    // after deleting slot 1 the next object takes it.
    const QByteArray data = Wmf()
                                .pen(5, 0, Black)
                                .brush(0, Red)
                                .brush(0, Blue)
                                .select(0)
                                .select(2)
                                .rect(0, 0, 2, 1)
                                .select(1)
                                .rec(0x01F0, {1})
                                .brush(0, Green)
                                .select(1)
                                .rect(2, 0, 4, 1)
                                .placeable(0, 0, 4, 1, 96, 2);
    QCOMPARE(Letters(Play(data)), QStringLiteral("wwgg"));
}

void TestMetafile::damagedData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("rows"); // empty: refused
    const Wmf red = Wmf().pen(5, 0, Black).brush(0, Red).select(0).select(1).rect(0, 0, 1, 1);
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("text file") << QByteArray("hello, this is not a picture at all") << QString();
    QTest::newRow("no extent in a plain file") << Wmf(red).plain() << QString();
    QTest::newRow("zero units per inch") << Wmf(red).placeable(0, 0, 4, 1, 0) << QString();
    QTest::newRow("zero size") << Wmf(red).placeable(0, 0, 0, 4, 96) << QString();
    QTest::newRow("absurd size") << Wmf(red).placeable(-32000, -32000, 32000, 32000, 96) << QString();
    QByteArray header = Wmf(red).placeable(0, 0, 4, 1, 96);
    header[22 + 2] = 4; // header size must be nine words
    QTest::newRow("bad header size") << header << QString();
    // Playback stops at a record of length zero or one that does not fit.
    QByteArray zero;
    Wmf::Put32(zero, 0);
    Wmf::Put16(zero, 0x041B);
    QTest::newRow("zero-length record") << Wmf(red).raw(zero).rect(1, 0, 4, 1).placeable(0, 0, 4, 1, 96) << "r...";
    QByteArray huge;
    Wmf::Put32(huge, 0x7FFFFFFF);
    Wmf::Put16(huge, 0x041B);
    QTest::newRow("record past the end") << Wmf(red).raw(huge).rect(1, 0, 4, 1).placeable(0, 0, 4, 1, 96)
                                         << "r...";
    QTest::newRow("short parameters") << Wmf(red).rec(0x041B, {1, 4}).rec(0x0324, {500, 1, 1}).placeable(0, 0, 4, 1, 96)
                                      << "r...";
    QTest::newRow("select outside the table") << Wmf().select(7).select(-1).rect(0, 0, 1, 1).placeable(0, 0, 2, 1, 96)
                                              << "k.";
}

void TestMetafile::damagedData()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, rows);
    const auto img = wmf::PlayMetafile(data);
    if (rows.isEmpty()) {
        QVERIFY(!img);
        QVERIFY(!wmf::MetafileSize(data));
    } else {
        QVERIFY(img);
        QCOMPARE(Letters(*img), rows);
    }
}

void TestMetafile::truncationsNeverMisbehave()
{
    Wmf w;
    w.pen(2, 3, Blue).brush(2, Red, 4).select(0).select(1).ellipse(0, 0, 30, 20);
    w.rec(0x0817, {0, 30, 20, 0, 20, 30, 0, 0}).rec(0x081A, {0, 0, 20, 30, 20, 30, 0, 0});
    w.rec(0x0830, {10, 0, 10, 30, 20, 30, 0, 0}).rec(0x061C, {5, 5, 20, 30, 0, 0});
    w.rec(0x0B41, {0x0020, 0x00CC, 2, 2, 0, 0, 20, 30, 0, 0}, Dib24({{Red, Green}, {Blue, White}}));
    const QByteArray whole = w.placeable(0, 0, 30, 20, 96);
    const QImage full = Play(whole);
    QCOMPARE(full.size(), QSize(30, 20));
    for (qsizetype len = 0; len < whole.size(); ++len) {
        const auto img = wmf::PlayMetafile(whole.left(len));
        QVERIFY(!img || img->size() == QSize(30, 20));
    }
}

void TestMetafile::drawingWorkIsBounded()
{
    // Thousands of shapes over the whole of the largest picture stop at the
    // bound: the green mark drawn last never comes.
    Wmf costly;
    costly.pen(5, 0, Black).brush(0, Red).brush(0, Green).select(0).select(1);
    for (int i = 0; i < 2000; ++i)
        costly.rect(0, 0, 4096, 4096);
    costly.select(2).rect(0, 0, 2, 2);
    const auto stopped = wmf::PlayMetafile(costly.placeable(0, 0, 4096, 4096, 96));
    QVERIFY(stopped);
    QCOMPARE(Letters(*stopped, QRect(0, 0, 3, 1)), QStringLiteral("rrr"));
    QCOMPARE(Letters(*stopped, QRect(4000, 4000, 1, 1)), QStringLiteral("r"));

    // Many small shapes, as real drawings have, are all drawn.
    Wmf busy;
    busy.pen(5, 0, Black).brush(0, Red).brush(0, Green).select(0).select(1);
    for (int i = 0; i < 60000; ++i)
        busy.rect(i % 1000 * 4, i / 1000 * 4, i % 1000 * 4 + 4, i / 1000 * 4 + 4);
    busy.select(2).rect(0, 0, 2, 2);
    const auto whole = wmf::PlayMetafile(busy.placeable(0, 0, 4096, 4096, 96));
    QVERIFY(whole);
    QCOMPARE(Letters(*whole, QRect(0, 0, 3, 1)), QStringLiteral("ggr"));
    QCOMPARE(Letters(*whole, QRect(3999, 239, 2, 2)), QStringLiteral("r.\n.."));
}

void TestMetafile::polygonsAreChargedByTheirEdges()
{
    // A zig-zag of points from top to bottom and back in a narrow column:
    // few pixels, but each edge crosses every row the fill passes.
    const auto zigzag = [](int points, int side) {
        QByteArray coords;
        for (int i = 0; i < points; ++i) {
            Wmf::Put16(coords, i % 2);
            Wmf::Put16(coords, i % 2 ? side : 0);
        }
        return coords;
    };
    const auto play = [&](int points) {
        return wmf::PlayMetafile(Wmf()
                                     .pen(5, 0, Black)
                                     .brush(0, Red)
                                     .brush(0, Green)
                                     .select(0)
                                     .select(1)
                                     .rec(0x0324, {points}, zigzag(points, 4096))
                                     .select(2)
                                     .rect(10, 0, 12, 2)
                                     .placeable(0, 0, 4096, 4096, 96));
    };
    // A thousand points are well within the bound: what follows is drawn.
    const auto drawn = play(1000);
    QVERIFY(drawn);
    QCOMPARE(Letters(*drawn, QRect(10, 0, 2, 1)), QStringLiteral("gg"));
    // The largest polygon a record holds, zig-zagging the same way, stops
    // playback before it is filled.
    const auto stopped = play(65535);
    QVERIFY(stopped);
    QCOMPARE(Letters(*stopped, QRect(10, 0, 2, 1)), QStringLiteral(".."));

    // The same file as the fuzz target's seed and the end-to-end tests use:
    // the square after its polygon never comes.
    QFile seed(QStringLiteral(PIKSELAR_SOURCE_DIR "/fuzz/corpus/wmf/zigzag-polygon.wmf"));
    QVERIFY(seed.open(QIODevice::ReadOnly));
    const auto hostile = wmf::PlayMetafile(seed.readAll());
    QVERIFY(hostile);
    QCOMPARE(Letters(*hostile, QRect(100, 0, 2, 1)), QStringLiteral(".."));

    // A pen along a long polyline pays for its length and the rows it
    // crosses, the thinnest pen too.
    const auto outlined = wmf::PlayMetafile(Wmf()
                                                .pen(0, 0, Blue)
                                                .select(0)
                                                .rec(0x0325, {65535}, zigzag(65535, 4096))
                                                .placeable(0, 0, 4096, 4096, 96));
    QVERIFY(outlined);
    QCOMPARE(Letters(*outlined, QRect(0, 2000, 2, 1)), QStringLiteral(".."));
}

QTEST_MAIN(TestMetafile)
#include "test_metafile.moc"
