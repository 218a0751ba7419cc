// Pictures made ready for the 32 x 32 image: fitting by area averaging in
// linear light, mapping to the palette (with and without error diffusion),
// the transparency rule and the count of colours outside the palette.
// Expected mappings were worked out independently of this code.
#include <QtTest>

#include "core/Palette.h"
#include "support/TestSupport.h"
#include "transfer/FitPicture.h"
#include "transfer/OutsidePalette.h"
#include "transfer/PaletteMap.h"

Q_DECLARE_METATYPE(FitBox)

namespace {

QImage Filled(int w, int h, QRgb c, QImage::Format f = QImage::Format_ARGB32)
{
    QImage img(w, h, f);
    img.fill(c);
    return img;
}

// Rows of a picture from rows of 8-bit colours, for small mapping cases.
QImage Picture(const std::vector<std::vector<QRgb>>& rows)
{
    QImage img(int(rows[0].size()), int(rows.size()), QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, rows[std::size_t(y)][std::size_t(x)]);
    return img;
}

// The picture of the placement scenario: 120 x 60, left half red, right half
// blue, an orange stripe between (columns 56..63), ten transparent rows above
// and below.
QImage RedOrangeBlue()
{
    QImage img = Filled(120, 60, qRgba(0, 0, 0, 0));
    for (int y = 10; y < 50; ++y)
        for (int x = 0; x < 120; ++x)
            img.setPixel(x, y, x < 56 ? qRgb(255, 0, 0) : x < 64 ? qRgb(255, 165, 0) : qRgb(0, 0, 255));
    return img;
}

// "Every pixel of the fitted image is `c`" or what the first other one is.
QString AllPixels(const QImage& img, QRgb c, QRect where)
{
    for (int y = where.top(); y <= where.bottom(); ++y)
        for (int x = where.left(); x <= where.right(); ++x)
            if (img.pixel(x, y) != c)
                return QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(img.pixel(x, y), 8, 16);
    return {};
}

} // namespace

class TestFitMap : public QObject {
    Q_OBJECT
private slots:
    void fitRectangle_data();
    void fitRectangle();
    void scenarioPictureFittedAndMapped();
    void averagesInLinearLightWithPartialPixels();
    void transparentPixelsLendNoColour();
    void stripsOnePixelAndEmptyPictures();
    void largePictureOfEveryFormat();
    void opaquePixelsNeverBecomeTheTransparentColour();
    void keepColoursAppliesOnlyTheTransparencyRule();
    void ditheringInSerpentineOrder();
    void ditheringKeepsTheMeanInLinearLight();
    void countOutsidePalette();
};

void TestFitMap::fitRectangle_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<FitBox>("box");
    QTest::newRow("wide") << 120 << 60 << FitBox{0, 8, 32, 16};
    QTest::newRow("photo") << 4000 << 3000 << FitBox{0, 4, 32, 24};
    QTest::newRow("rounded up") << 3 << 2 << FitBox{0, 5, 32, 21};
    QTest::newRow("one row off") << 33 << 32 << FitBox{0, 0, 32, 31};
    QTest::newRow("tall strip") << 1 << 10000 << FitBox{15, 0, 1, 32};
    QTest::newRow("wide strip") << 10000 << 1 << FitBox{0, 15, 32, 1};
    QTest::newRow("one pixel") << 1 << 1 << FitBox{0, 0, 32, 32};
    QTest::newRow("empty") << 0 << 5 << FitBox{0, 0, 0, 0};
}

void TestFitMap::fitRectangle()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(FitBox, box);
    const FitBox got = FitRectangle(w, h);
    QVERIFY2(got == box, qPrintable(QStringLiteral("%1 %2 %3 %4")
                                        .arg(got.left).arg(got.top).arg(got.width).arg(got.height)));
}

void TestFitMap::scenarioPictureFittedAndMapped()
{
    const QImage fitted = FitPicture(RedOrangeBlue());
    QCOMPARE(fitted.size(), QSize(32, 32));
    // Output rows 10 and 21 hold one third of an opaque source row: transparent.
    QCOMPARE(qAlpha(fitted.pixel(5, 10)), 85);
    QCOMPARE(fitted.pixel(5, 11), qRgb(255, 0, 0));
    QCOMPARE(fitted.pixel(29, 16), qRgb(0, 0, 255));
    QCOMPARE(fitted.pixel(14, 16), qRgb(255, 44, 0)); // a quarter of orange in linear light
    QCOMPARE(qAlpha(fitted.pixel(5, 7)), 0);          // the margin

    const QString b = QStringLiteral("bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb");
    const QString m = QStringLiteral("111111111111111ff333333333333333");
    QStringList rows;
    for (int y = 0; y < 32; ++y)
        rows << (y >= 11 && y <= 20 ? m : b);
    QCOMPARE(Rows(MapToPalette(fitted, 11, false)), Rows(rows));

    // With blue the transparent colour, blue pixels take the next nearest.
    const Surface blue = MapToPalette(fitted, 3, false);
    QCOMPARE(Rows(blue, 0, 0, 32, 1), Rows({"33333333333333333333333333333333"}));
    QCOMPARE(Rows(blue, 0, 16, 32, 1), Rows({"111111111111111ffc66666666666666"}));
    QCOMPARE(blue.backColour(), PaletteColors[3]);
}

void TestFitMap::averagesInLinearLightWithPartialPixels()
{
    // Black and white in equal parts are 188 in sRGB, not 128.
    QImage checker(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    QCOMPARE(AllPixels(FitPicture(checker), qRgb(188, 188, 188), QRect(0, 0, 32, 32)), QString());

    // 48 columns to 32: each output pixel covers one and a half. Every third
    // column white: a whole white column with half a black one is 2/3 white
    // (213), the next output pixel black.
    QImage thirds(48, 48, QImage::Format_ARGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            thirds.setPixel(x, y, x % 3 == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage fitted = FitPicture(thirds);
    for (int x = 0; x < 32; ++x)
        QCOMPARE(fitted.pixel(x, 17), x % 2 ? qRgb(0, 0, 0) : qRgb(213, 213, 213));
}

void TestFitMap::transparentPixelsLendNoColour()
{
    // In each 2 x 2 block one transparent red pixel and three white ones.
    QImage img(64, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            img.setPixel(x, y, x % 2 == 0 && y % 2 == 0 ? qRgba(255, 0, 0, 0) : qRgb(255, 255, 255));
    QCOMPARE(AllPixels(FitPicture(img), qRgba(255, 255, 255, 191), QRect(0, 0, 32, 32)), QString());
    // Premultiplied pictures are read by their true colour.
    const QImage pre = Filled(10, 10, qRgba(255, 0, 0, 200)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(AllPixels(FitPicture(pre), qRgba(255, 0, 0, 200), QRect(0, 0, 32, 32)), QString());
}

void TestFitMap::stripsOnePixelAndEmptyPictures()
{
    const QImage tall = FitPicture(Filled(1, 10000, qRgb(0, 255, 0)));
    QCOMPARE(AllPixels(tall, qRgb(0, 255, 0), QRect(15, 0, 1, 32)), QString());
    QCOMPARE(AllPixels(tall, 0, QRect(0, 0, 15, 32)), QString());
    QCOMPARE(AllPixels(tall, 0, QRect(16, 0, 16, 32)), QString());
    QCOMPARE(Rows(MapToPalette(tall, 11, true), 0, 31, 32, 1), Rows({"bbbbbbbbbbbbbbb2bbbbbbbbbbbbbbbb"}));

    const QImage wide = FitPicture(Filled(10000, 1, qRgb(255, 0, 0)));
    QCOMPARE(AllPixels(wide, qRgb(255, 0, 0), QRect(0, 15, 32, 1)), QString());
    QCOMPARE(AllPixels(wide, 0, QRect(0, 16, 32, 16)), QString());

    QCOMPARE(AllPixels(FitPicture(Filled(1, 1, qRgb(255, 0, 255))), qRgb(255, 0, 255), QRect(0, 0, 32, 32)),
             QString());
    const QImage clear = FitPicture(Filled(50, 40, qRgba(10, 20, 30, 0)));
    QCOMPARE(AllPixels(clear, 0, QRect(0, 0, 32, 32)), QString());
    QCOMPARE(Rows(MapToPalette(clear, 4, true), 0, 20, 32, 1), Rows({"44444444444444444444444444444444"}));

    QCOMPARE(AllPixels(FitPicture(QImage()), 0, QRect(0, 0, 32, 32)), QString());
    const Surface none = MapToPalette(QImage(), 11, true);
    QCOMPARE(none.width(), 1);
    QCOMPARE(none.pixel(0, 0), PaletteColors[11]);
}

void TestFitMap::largePictureOfEveryFormat()
{
    // The decoder's largest sides, and formats read in place or converted.
    const QRgb c = qRgb(40, 200, 90);
    QCOMPARE(AllPixels(FitPicture(Filled(4096, 4096, c, QImage::Format_RGB32)), c, QRect(0, 0, 32, 32)), QString());
    QCOMPARE(AllPixels(FitPicture(Filled(4000, 3000, c, QImage::Format_RGB888)), c, QRect(0, 4, 32, 24)), QString());
    QImage indexed(300, 100, QImage::Format_Indexed8);
    indexed.setColorTable({c, qRgba(0, 0, 0, 0)});
    indexed.fill(0);
    const QImage fitted = FitPicture(indexed); // 32 x 11 at row 10
    QCOMPARE(AllPixels(fitted, c, QRect(0, 10, 32, 11)), QString());
    QCOMPARE(AllPixels(fitted, 0, QRect(0, 0, 32, 10)), QString());
    QCOMPARE(AllPixels(fitted, 0, QRect(0, 21, 32, 11)), QString());
}

void TestFitMap::opaquePixelsNeverBecomeTheTransparentColour()
{
    // Opaque cyan (colour 11), the alpha threshold from both sides, and a
    // transparent pixel of any colour.
    const QImage img = Picture({{qRgb(0, 255, 255), qRgba(0, 255, 255, 127), qRgba(255, 0, 0, 128),
                                 qRgba(255, 0, 0, 0)}});
    for (bool dither : {false, true}) {
        QCOMPARE(Rows(MapToPalette(img, 11, dither)), Rows({"8b1b"}));
        QCOMPARE(Rows(MapToPalette(img, 0, dither)), Rows({"b010"}));
        QCOMPARE(Rows(MapToPalette(img, NoTransparentIndex, dither)), Rows({"8b1b"}));
    }
    QCOMPARE(TransparentIndexForPlacing(NoTransparentIndex), 11);
    QCOMPARE(TransparentIndexForPlacing(3), 3);
    QCOMPARE(TransparentIndexForPlacing(-1), 11);
    // Dithered near-cyan: never colour 11 while it is the transparent one.
    const QImage nearCyan = Filled(6, 2, qRgb(0, 230, 230));
    QCOMPARE(Rows(MapToPalette(nearCyan, 11, true)), Rows({"ffff8f", "f88f8f"}));
    QCOMPARE(Rows(MapToPalette(nearCyan, 0, true)), Rows({"bbbbbb", "fb7b7b"}));
}

void TestFitMap::keepColoursAppliesOnlyTheTransparencyRule()
{
    const Surface s = KeepColours(Picture({{qRgb(1, 2, 3), qRgba(9, 9, 9, 127), qRgba(200, 100, 50, 128)}}), 5);
    QCOMPARE(s.pixel(0, 0), Rgb(1, 2, 3));
    QCOMPARE(s.pixel(1, 0), PaletteColors[5]);
    QCOMPARE(s.pixel(2, 0), Rgb(200, 100, 50));
    QCOMPARE(s.backColour(), PaletteColors[5]);
}

void TestFitMap::ditheringInSerpentineOrder()
{
    QCOMPARE(Rows(MapToPalette(Filled(6, 3, qRgb(188, 0, 0)), 11, false)), Rows({"444444", "444444", "444444"}));
    QCOMPARE(Rows(MapToPalette(Filled(6, 3, qRgb(188, 0, 0)), 11, true)), Rows({"414141", "144144", "414414"}));
    std::vector<std::vector<QRgb>> grad(4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            grad[std::size_t(y)].push_back(qRgb(x * 40, y * 60, 200 - x * 30));
    QCOMPARE(Rows(MapToPalette(Picture(grad), 11, true)), Rows({"36cc41", "36ecc1", "eee7dd", "ffefdf"}));
}

void TestFitMap::ditheringKeepsTheMeanInLinearLight()
{
    // Red at half the light: mapped plainly it is brown everywhere; dithered,
    // red and brown cells average back to half the light.
    const Surface s = MapToPalette(Filled(32, 32, qRgb(188, 0, 0)), 11, true);
    const auto lin = [](int v) {
        const double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    double sum = 0;
    int reds = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const Colour c = s.pixel(x, y);
            QVERIFY(c == PaletteColors[1] || c == PaletteColors[4]);
            reds += c == PaletteColors[1];
            sum += lin(Red(c));
        }
    QVERIFY2(std::abs(sum / 1024 - lin(188)) < 0.005, qPrintable(QString::number(sum / 1024)));
    QVERIFY(reds > 300 && reds < 500);
}

void TestFitMap::countOutsidePalette()
{
    Surface s(40, 20, PaletteColors[15]);
    s.setPixel(0, 0, Rgb(1, 2, 3));
    s.setPixel(31, 31, Rgb(1, 2, 3)); // outside the surface: ignored
    s.setPixel(39, 19, Rgb(250, 0, 0));
    s.setPixel(5, 5, PaletteColors[9]);
    QCOMPARE(CountOutsidePalette(s, 0, 0, 32, 32), 1);
    QCOMPARE(CountOutsidePalette(s, 8, -12, 32, 32), 1);
    QCOMPARE(CountOutsidePalette(s, -5, -5, 32, 32), 1);
    QCOMPARE(CountOutsidePalette(s, 1, 1, 32, 32), 0);
    // Beyond the surface the piece takes the back colour.
    Surface odd(10, 10, Rgb(3, 3, 3));
    QCOMPARE(CountOutsidePalette(odd, 0, 0, 32, 32), 1024);
    QVERIFY(InPalette(PaletteColors[7]));
    QVERIFY(!InPalette(Rgb(128, 128, 129)));
}

QTEST_GUILESS_MAIN(TestFitMap)
#include "test_fitmap.moc"
