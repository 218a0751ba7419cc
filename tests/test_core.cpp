// The image core without a window: surfaces, cell mapping, how the views
// show the image, the image's change notices, undo, the transparent colour
// and the fixed file header.
#include <QFile>
#include <QtTest>

#include "core/ImageViews.h"
#include "core/Procedury.h"
#include "core/Transparent.h"
#include "core/Undo.h"
#include "support/TestSupport.h"

class TestCore : public QObject {
    Q_OBJECT
private slots:
    void surfaceReadsBackExactColoursAndRefusesOutside();
    void surfaceFillRectIncludesBothCornersInAnyOrder();
    void surfaceLineAndOutline();
    void surfaceLineFarOutsideStopsAtTheEdge();
    void surfaceSetBackColourClearsAndAssignAutoSizes();
    void cellFromPoint_data();
    void cellFromPoint();
    void startUpImageIsColour11();
    void viewsShowBlocksAndEverySecondPixel();
    void viewsRepaintOnlyWhatShowsAChange();
    void changesNestAndTellTheirCause();
    void surfaceNoticesCoverWhatChanged();
    void copiesTakePixelsNotListeners();
    void undoExchangesTwice();
    void transparentColourDerivation();
    void headerFileMatchesPaletteTables();
};

static Editor StartedEditor()
{
    Editor e;
    Zmienne(e);
    SetBackgroundColours(e);
    TakeSnapshot(e);
    return e;
}

void TestCore::surfaceReadsBackExactColoursAndRefusesOutside()
{
    Surface s(4, 3, PaletteColors[11]);
    const Colour odd = Rgb(1, 2, 3);
    s.setPixel(3, 2, odd);
    QCOMPARE(s.pixel(3, 2), odd);
    s.setPixel(4, 0, odd); // outside: ignored
    s.setPixel(-1, 0, odd);
    QCOMPARE(s.pixel(0, 0), PaletteColors[11]);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 3}}) {
        const Colour outside = s.pixel(x, y);
        for (Colour c : PaletteColors)
            QVERIFY(outside != c);
        QVERIFY(outside != odd);
    }
}

void TestCore::surfaceFillRectIncludesBothCornersInAnyOrder()
{
    Surface a(6, 4, PaletteColors[0]);
    Surface b(6, 4, PaletteColors[0]);
    a.fillRect(1, 1, 3, 2, PaletteColors[1]);
    b.fillRect(3, 2, 1, 1, PaletteColors[1]);
    QCOMPARE(Rows(a), Rows({"000000", "011100", "011100", "000000"}));
    QCOMPARE(Rows(b), Rows(a));
    a.fillRect(4, 2, 100, 100, PaletteColors[2]); // clipped
    QCOMPARE(Rows(a), Rows({"000000", "011100", "011122", "000022"}));
}

void TestCore::surfaceLineAndOutline()
{
    Surface s(5, 5, PaletteColors[0]);
    s.line(0, 0, 4, 4, PaletteColors[1]);
    s.rectangle(4, 0, 2, 2, PaletteColors[2]);
    QCOMPARE(Rows(s), Rows({"10222", "01202", "00222", "00010", "00001"}));
    Surface t(5, 3, PaletteColors[0]);
    t.line(0, 0, 4, 2, PaletteColors[3]);
    QCOMPARE(Rows(t), Rows({"30000", "03300", "00033"}));
}

void TestCore::surfaceLineFarOutsideStopsAtTheEdge()
{
    Surface s(32, 32, PaletteColors[0]);
    s.line(0, 0, 500, 500, PaletteColors[1]);
    QCOMPARE(s.pixel(31, 31), PaletteColors[1]);
    QCOMPARE(s.pixel(30, 31), PaletteColors[0]);
    s.line(0, 31, 2000000000, 31, PaletteColors[2]); // must return promptly
    QCOMPARE(s.pixel(31, 31), PaletteColors[2]);
}

void TestCore::surfaceSetBackColourClearsAndAssignAutoSizes()
{
    Surface s(32, 32, PaletteColors[0]);
    s.setPixel(5, 5, PaletteColors[1]);
    s.setBackColour(PaletteColors[11]);
    QCOMPARE(Rows(s), Rows(Surface(32, 32, PaletteColors[11])));

    Surface picture(3, 2, PaletteColors[1]);
    Surface staging(19, 19, PaletteColors[15]);
    staging.assign(picture, true);
    QCOMPARE(staging.width(), 3);
    QCOMPARE(staging.height(), 2);
    Surface fixed(4, 3, PaletteColors[15]);
    fixed.assign(picture);
    QCOMPARE(Rows(fixed), Rows({"111f", "111f", "ffff"}));
}

void TestCore::cellFromPoint_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("cx");
    QTest::addColumn<int>("cy");
    QTest::newRow("origin") << 0 << 0 << 0 << 0;
    QTest::newRow("last pixel of first cell") << 5 << 5 << 0 << 0;
    QTest::newRow("first pixel of second cell") << 6 << 6 << 1 << 1;
    QTest::newRow("bottom-right pixel") << 191 << 191 << 31 << 31;
    QTest::newRow("one past the right edge") << 192 << 0 << 31 << 0;
    QTest::newRow("far right and below") << 5000 << 900 << 31 << 31;
    QTest::newRow("negative") << -1 << -50 << 0 << 0;
}

void TestCore::cellFromPoint()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, cx);
    QFETCH(int, cy);
    QCOMPARE(CellFromPoint(x, y), (Cell{cx, cy}));
}

void TestCore::startUpImageIsColour11()
{
    Editor e = StartedEditor();
    for (Surface* s : {static_cast<Surface*>(&e.picMini), &e.Undo1})
        for (int y = 0; y < s->height(); ++y)
            for (int x = 0; x < s->width(); ++x)
                QCOMPARE(s->pixel(x, y), Rgb(0, 255, 255));
    QCOMPARE(e.pic.backColour(), Rgb(191, 191, 191));
}

void TestCore::viewsShowBlocksAndEverySecondPixel()
{
    Editor e = StartedEditor();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            e.picMini.setPixel(x, y, PaletteColors[(x + 3 * y) % 16]);
    QCOMPARE(ViewSide(CanvasScale, ImageSize), 192);
    QCOMPARE(ViewSide(HalfScale, ImageSize), 16);
    QCOMPARE(ViewSide(OneToOne, 19), 19);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const Colour c = PaletteColors[(x + 3 * y) % 16];
            for (auto [dx, dy] : {std::pair{0, 0}, {5, 5}, {5, 0}, {0, 5}, {2, 3}})
                QCOMPARE(ViewPixel(e.picMini, CanvasScale, 6 * x + dx, 6 * y + dy), c);
        }
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i)
            QCOMPARE(ViewPixel(e.picMini, HalfScale, i, j), e.picMini.pixel(2 * i, 2 * j));
}

void TestCore::viewsRepaintOnlyWhatShowsAChange()
{
    // One pixel: its canvas block; in the thumbnail only when both are even.
    QCOMPARE(ViewArea(CanvasScale, {3, 4, 3, 4}), (PixelArea{18, 24, 23, 29}));
    QVERIFY(ViewArea(HalfScale, {3, 4, 3, 4}).empty());
    QVERIFY(ViewArea(HalfScale, {4, 5, 4, 5}).empty());
    QCOMPARE(ViewArea(HalfScale, {4, 6, 4, 6}), (PixelArea{2, 3, 2, 3}));
    // An area: the thumbnail pixels whose source lies in it.
    QCOMPARE(ViewArea(HalfScale, {1, 1, 4, 5}), (PixelArea{1, 1, 2, 2}));
    QCOMPARE(ViewArea(HalfScale, {0, 0, 31, 31}), (PixelArea{0, 0, 15, 15}));
    QCOMPARE(ViewArea(CanvasScale, {0, 0, 31, 31}), (PixelArea{0, 0, 191, 191}));
    QCOMPARE(ViewArea(OneToOne, {2, 3, 7, 9}), (PixelArea{2, 3, 7, 9}));
}

void TestCore::changesNestAndTellTheirCause()
{
    Editor e = StartedEditor();
    ChangeLog log(e.picMini);
    e.CurrentColor = 1;
    PaintCell(e, 3, 4);
    QCOMPARE(log.changes, QStringList("Pencil"));
    QCOMPARE(log.areas, (std::vector<PixelArea>{{3, 4, 3, 4}}));

    // An operation inside a command adds to the command's change.
    log.clear();
    {
        ImageChange paste(e.picMini, ChangeCause::Paste);
        PaintCell(e, 5, 5);
        ClearImage(e, ChangeCause::Clear);
        QCOMPARE(log.changes, QStringList());
    }
    QCOMPARE(log.changes, QStringList("Paste"));

    // A change in which nothing happened says so.
    log.clear();
    {
        ImageChange cancelled(e.picMini, ChangeCause::Text);
    }
    e.picMini.line(-9, -9, -1, -1, PaletteColors[2]); // wholly outside
    {
        ImageChange outside(e.picMini, ChangeCause::Line);
        e.picMini.line(40, 0, 40, 9, PaletteColors[2]);
    }
    QCOMPARE(log.changes, QStringList({"Text (none)", "Line (none)"}));
    QVERIFY(log.areas.empty());

    log.clear();
    e.picMini.endChange(); // unbalanced: ignored
    ClearImage(e, ChangeCause::New);
    Cofnij(e);
    QCOMPARE(log.changes, QStringList({"New", "Undo"}));
    QVERIFY(!e.picMini.changing());
}

void TestCore::surfaceNoticesCoverWhatChanged()
{
    Surface s(32, 32, PaletteColors[11]);
    struct Areas : SurfaceObserver {
        void surfaceChanged(const PixelArea& a) override { seen.push_back(a); }
        std::vector<PixelArea> seen;
    } areas;
    s.addObserver(&areas);
    s.addObserver(&areas); // once only
    s.setPixel(40, 1, PaletteColors[1]);          // outside: nothing
    s.fillRect(-5, 30, 3, 40, PaletteColors[1]);  // clipped
    s.line(2, 9, 7, 5, PaletteColors[1]);         // its bounding box
    s.line(-3, 1, 1, 1, PaletteColors[1]);        // the part inside
    s.setPixel(4, 4, PaletteColors[2]);
    s.clear();
    QCOMPARE(areas.seen, (std::vector<PixelArea>{
                             {0, 30, 3, 31}, {2, 5, 7, 9}, {0, 1, 1, 1}, {4, 4, 4, 4}, {0, 0, 31, 31}}));
    s.removeObserver(&areas);
    s.setPixel(0, 0, PaletteColors[3]);
    QCOMPARE(areas.seen.size(), std::size_t(5));
}

void TestCore::copiesTakePixelsNotListeners()
{
    Editor e = StartedEditor();
    ChangeLog log(e.picMini);
    Editor copy = e;
    copy.picMini.setPixel(1, 1, PaletteColors[1]);
    PaintCell(copy, 2, 2);
    QVERIFY(log.changes.isEmpty() && log.areas.empty());
    QCOMPARE(PaletteIndexOf(e.picMini.pixel(1, 1)), 11);

    // Assigning pixels to the image tells its listeners.
    e.picMini = copy.picMini;
    QCOMPARE(log.areas, (std::vector<PixelArea>{{0, 0, 31, 31}}));
    QVERIFY(e.picMini.sameContent(copy.picMini));
}

void TestCore::undoExchangesTwice()
{
    Editor e = StartedEditor();
    const Surface blank = e.picMini;
    Cofnij(e); // right after start-up: still blank
    QVERIFY(e.picMini.sameContent(blank));

    e.CurrentColor = 1;
    PaintCell(e, 1, 1);
    const Surface drawn = e.picMini;
    Cofnij(e);
    QVERIFY(e.picMini.sameContent(blank));
    Cofnij(e);
    QVERIFY(e.picMini.sameContent(drawn));
    QCOMPARE(Rows(e.Undo2), Rows(Surface(32, 32, PaletteColors[11])));
}

void TestCore::transparentColourDerivation()
{
    Editor e = StartedEditor();
    QCOMPARE(TransparentColor(e), std::optional<Colour>(Rgb(0, 255, 255)));
    QCOMPARE(EraserColorIndex(e), 11);
    e.TransparentIndex = 0;
    QCOMPARE(TransparentColor(e), std::optional<Colour>(Rgb(0, 0, 0)));
    QCOMPARE(EraserColorIndex(e), 0);
    e.TransparentIndex = NoTransparentIndex; // "brak"
    QCOMPARE(TransparentColor(e), std::nullopt);
    QCOMPARE(EraserColorIndex(e), 11);
    QVERIFY(!IsTransparentIndex(16));
    QVERIFY(!IsTransparentIndex(-1));
    QVERIFY(IsTransparentIndex(17));
}

void TestCore::headerFileMatchesPaletteTables()
{
    QFile f(QStringLiteral(PIKSELAR_SOURCE_DIR "/data/header.dat"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray d = f.readAll();
    QCOMPARE(d.size(), 126);
    auto u8 = [&](int at) { return std::uint8_t(d[at]); };
    auto u16 = [&](int at) { return u8(at) | u8(at + 1) << 8; };
    auto u32 = [&](int at) { return std::uint32_t(u16(at) | u16(at + 2) << 16); };
    for (int i = 0; i < 22; ++i)
        QCOMPARE(u8(i), IconHeader[i]);
    const QByteArray expectedStart("\x00\x00\x01\x00\x01\x00\x20\x20\x10\x00\x00\x00\x00\x00\xE8\x02\x00\x00\x16\x00\x00\x00", 22);
    QCOMPARE(d.left(22), expectedStart);
    QCOMPARE(u32(22), 40u);
    QCOMPARE(u32(26), 32u);
    QCOMPARE(u32(30), 64u);
    QCOMPARE(u16(34), 1);
    QCOMPARE(u16(36), 4);
    for (int at = 38; at < 62; at += 4)
        QCOMPARE(u32(at), 0u);
    // Entry k of the colour table holds the palette colour whose code is k.
    for (int ui = 0; ui < PaletteSize; ++ui) {
        const int at = 62 + 4 * FileCode(ui);
        const Colour c = PaletteColors[ui];
        QCOMPARE(u8(at), Blue(c));
        QCOMPARE(u8(at + 1), Green(c));
        QCOMPARE(u8(at + 2), Red(c));
        QCOMPARE(u8(at + 3), 0);
    }
}

QTEST_GUILESS_MAIN(TestCore)
#include "test_core.moc"
