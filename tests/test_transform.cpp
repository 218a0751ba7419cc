// Mirroring, quarter turns, flood fill and colour replacement on surfaces.
#include <QtTest>

#include "core/FloodFill.h"
#include "core/Palette.h"
#include "core/Transform.h"
#include "support/TestSupport.h"

namespace {

// A surface from rows of palette digits ("0".."f"); "?" is a colour outside
// the palette.
const Colour Odd = Rgb(1, 2, 3);

Surface FromRows(const QStringList& rows)
{
    Surface s(int(rows[0].size()), int(rows.size()), PaletteColors[0]);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x) {
            const QChar ch = rows[y][x];
            s.setPixel(x, y, ch == QLatin1Char('?') ? Odd
                                                    : PaletteColors[QString(ch).toInt(nullptr, 16)]);
        }
    return s;
}

struct ChangeCounter : SurfaceObserver {
    int count = 0;
    void surfaceChanged(const PixelArea&) override { ++count; }
};

} // namespace

class TestTransform : public QObject {
    Q_OBJECT
private slots:
    void flipsAndTurnsOnASmallPicture();
    void redPixelTravelsAroundTheImage();
    void turnsOfTheImageKeepEveryColourInPlace();
    void turnRefusesANonSquareSurface();
    void floodFillStaysInsideAnOutline();
    void floodFillIsFourConnected();
    void floodFillOfTheWholeImageAndOfAColourOutsideThePalette();
    void fillWithTheSameColourOrOutsideDoesNothing();
    void replaceColourReachesDisjointAreas();
};

void TestTransform::flipsAndTurnsOnASmallPicture()
{
    const QStringList rows{"1200", "3000", "0004", "00?5"};
    Surface h = FromRows(rows);
    FlipHorizontal(h);
    QCOMPARE(Rows(h), Rows({"0021", "0003", "4000", "5?00"}));
    Surface v = FromRows(rows);
    FlipVertical(v);
    QCOMPARE(Rows(v), Rows({"00?5", "0004", "3000", "1200"}));
    QCOMPARE(v.pixel(2, 0), Odd);
    Surface r = FromRows(rows);
    RotateRight(r);
    QCOMPARE(Rows(r), Rows({"0031", "0002", "?000", "5400"}));
    Surface l = FromRows(rows);
    RotateLeft(l);
    QCOMPARE(Rows(l), Rows({"0045", "000?", "2000", "1300"}));
    // Odd sizes have a middle row and column that stay put.
    Surface odd = FromRows({"123", "456", "789"});
    FlipHorizontal(odd);
    QCOMPARE(Rows(odd), Rows({"321", "654", "987"}));
    FlipVertical(odd);
    QCOMPARE(Rows(odd), Rows({"987", "654", "321"}));
    RotateRight(odd);
    QCOMPARE(Rows(odd), Rows({"369", "258", "147"}));
}

void TestTransform::redPixelTravelsAroundTheImage()
{
    Surface s(32, 32, PaletteColors[ImageBackIndex]);
    s.setPixel(0, 0, PaletteColors[1]);
    const auto redAt = [&](int x, int y) {
        int reds = 0;
        for (int yy = 0; yy < 32; ++yy)
            for (int xx = 0; xx < 32; ++xx)
                reds += s.pixel(xx, yy) == PaletteColors[1];
        return reds == 1 && s.pixel(x, y) == PaletteColors[1];
    };
    FlipHorizontal(s);
    QVERIFY(redAt(31, 0));
    RotateRight(s);
    QVERIFY(redAt(31, 31));
    FlipVertical(s);
    QVERIFY(redAt(31, 0));
    RotateLeft(s);
    QVERIFY(redAt(0, 0));
}

void TestTransform::turnsOfTheImageKeepEveryColourInPlace()
{
    // Every cell distinct, so a pixel moved to a wrong place cannot hide.
    Surface s(32, 32, PaletteColors[0]);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            s.setPixel(x, y, Rgb(std::uint8_t(x), std::uint8_t(y), 7));
    const Surface original = s;
    ChangeCounter changes;
    s.addObserver(&changes);
    RotateRight(s);
    QCOMPARE(s.pixel(31, 0), Rgb(0, 0, 7));      // the top left corner
    QCOMPARE(s.pixel(31 - 5, 3), Rgb(3, 5, 7));  // (3, 5) to (31 - 5, 3)
    RotateLeft(s);
    QVERIFY(s.sameContent(original));
    RotateLeft(s);
    QCOMPARE(s.pixel(5, 31 - 3), Rgb(3, 5, 7));  // (3, 5) to (5, 31 - 3)
    RotateLeft(s);
    RotateLeft(s);
    RotateLeft(s);
    QVERIFY(s.sameContent(original));
    FlipHorizontal(s);
    QCOMPARE(s.pixel(31 - 3, 5), Rgb(3, 5, 7));
    FlipHorizontal(s);
    FlipVertical(s);
    QCOMPARE(s.pixel(3, 31 - 5), Rgb(3, 5, 7));
    FlipVertical(s);
    QVERIFY(s.sameContent(original));
    QCOMPARE(changes.count, 10); // one notice per action, not per pixel
}

void TestTransform::turnRefusesANonSquareSurface()
{
    Surface s = FromRows({"120", "300"});
    RotateRight(s);
    RotateLeft(s);
    QCOMPARE(Rows(s), Rows({"120", "300"}));
}

void TestTransform::floodFillStaysInsideAnOutline()
{
    // The outlined rectangle of the end-to-end scenario, scaled down.
    Surface s = FromRows({"0000000",
                          "0111110",
                          "0100010",
                          "0100010",
                          "0111110",
                          "0000000"});
    QCOMPARE(FloodFill(s, 3, 2, PaletteColors[3]), 6);
    QCOMPARE(Rows(s), Rows({"0000000",
                            "0111110",
                            "0133310",
                            "0133310",
                            "0111110",
                            "0000000"}));
    // The outline itself, and the outside around it.
    QCOMPARE(FloodFill(s, 1, 1, PaletteColors[2]), 14);
    QCOMPARE(FloodFill(s, 6, 5, PaletteColors[4]), 22);
    QCOMPARE(Rows(s), Rows({"4444444",
                            "4222224",
                            "4233324",
                            "4233324",
                            "4222224",
                            "4444444"}));
}

void TestTransform::floodFillIsFourConnected()
{
    Surface s = FromRows({"0010",
                          "0101",
                          "1010",
                          "0100"});
    QCOMPARE(FloodFill(s, 0, 0, PaletteColors[5]), 3);
    QCOMPARE(Rows(s), Rows({"5510",
                            "5101",
                            "1010",
                            "0100"}));
    // A winding corridor is followed to its end, down and back up.
    Surface w = FromRows({"0101",
                          "0101",
                          "0001"});
    QCOMPARE(FloodFill(w, 0, 0, PaletteColors[2]), 7);
    QCOMPARE(Rows(w), Rows({"2121",
                            "2121",
                            "2221"}));
}

void TestTransform::floodFillOfTheWholeImageAndOfAColourOutsideThePalette()
{
    Surface s(32, 32, PaletteColors[ImageBackIndex]);
    ChangeCounter changes;
    s.addObserver(&changes);
    QCOMPARE(FloodFill(s, 31, 31, PaletteColors[1]), 32 * 32);
    QCOMPARE(changes.count, 1);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            QCOMPARE(s.pixel(x, y), PaletteColors[1]);
    Surface odd = FromRows({"??0", "0?0", "0??"});
    QCOMPARE(FloodFill(odd, 1, 1, PaletteColors[9]), 5);
    QCOMPARE(Rows(odd), Rows({"990", "090", "099"}));
}

void TestTransform::fillWithTheSameColourOrOutsideDoesNothing()
{
    Surface s = FromRows({"01", "10"});
    ChangeCounter changes;
    s.addObserver(&changes);
    QCOMPARE(FloodFill(s, 0, 0, PaletteColors[0]), 0);
    QCOMPARE(ReplaceColour(s, 1, 0, PaletteColors[1]), 0);
    QCOMPARE(FloodFill(s, 2, 0, PaletteColors[3]), 0);
    QCOMPARE(FloodFill(s, -1, 0, PaletteColors[3]), 0);
    QCOMPARE(ReplaceColour(s, 0, 2, PaletteColors[3]), 0);
    QCOMPARE(Rows(s), Rows({"01", "10"}));
    QCOMPARE(changes.count, 0);
}

void TestTransform::replaceColourReachesDisjointAreas()
{
    Surface s = FromRows({"1001",
                          "0220",
                          "1?01"});
    QCOMPARE(ReplaceColour(s, 3, 2, PaletteColors[7]), 4);
    QCOMPARE(Rows(s), Rows({"7007",
                            "0220",
                            "7?07"}));
    QCOMPARE(ReplaceColour(s, 1, 2, PaletteColors[2]), 1);
    QCOMPARE(Rows(s), Rows({"7007",
                            "0220",
                            "7207"}));
}

QTEST_GUILESS_MAIN(TestTransform)
#include "test_transform.moc"
