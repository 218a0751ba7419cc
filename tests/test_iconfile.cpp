// The icon file codec without a window: the writer's bytes for the known
// cases, the reader's acceptance and decoding, the round trip, and real
// decoders of other programs reading what we write.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "core/Procedury.h"
#include "core/Transparent.h"
#include "files/IconReader.h"
#include "files/IconWriter.h"
#include "support/TestSupport.h"

using Bytes = std::vector<std::uint8_t>;

class TestIconFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fileCodes_data();
    void fileCodes();
    void writerEdgeCases_data();
    void writerEdgeCases();
    void writerPixelOrderIsBottomRowFirst();
    void writerMatchesExactlyNeverNearly();
    void wholeFileIsHeaderThenBitmaps();
    void acceptance_data();
    void acceptance();
    void decodeUsesTheFilesOwnColourTableAndMask();
    void roundTripKeepsPaletteColoursAndTransparency();
    void transparentComesBackAsGreyWithoutTransparentColour();
    void otherDecodersReadWhatWeWrite_data();
    void otherDecodersReadWhatWeWrite();

private:
    Bytes header_;
};

namespace {
Editor Started(int transparentIndex)
{
    Editor e;
    Zmienne(e);
    SetBackgroundColours(e);
    e.TransparentIndex = transparentIndex;
    return e;
}

Bytes Bitmaps(const Editor& e)
{
    Bytes out;
    WriteIconBitmaps(e, out);
    return out;
}

// Every palette colour, in a pattern that differs from row to row and
// column to column, so that a wrong order or nibble shows.
void PaintPattern(Editor& e)
{
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x)
            e.picMini.setPixel(x, y, PaletteColors[(x + 3 * y + x * y / 7) % PaletteSize]);
}

QString Hex(std::uint8_t b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0'));
}

// The first byte at which `bytes` differs from the expectation, or "".
QString FirstDifference(const Bytes& bytes, const std::function<std::uint8_t(std::size_t)>& expected)
{
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] != expected(i))
            return QStringLiteral("byte %1 is %2, expected %3").arg(i).arg(Hex(bytes[i]), Hex(expected(i)));
    return {};
}
} // namespace

void TestIconFile::initTestCase()
{
    QFile f(QStringLiteral(PIKSELAR_SOURCE_DIR "/data/header.dat"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    header_.assign(all.begin(), all.end());
    QCOMPARE(header_.size(), std::size_t(126));
}

void TestIconFile::fileCodes_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("value");
    // Pairs of UI indices and the byte their file codes make (the codes as
    // "1001", "0000", ...: red, black is 1001 0000).
    QTest::newRow("red, black") << 1 << 0 << 0x90;
    QTest::newRow("black, red") << 0 << 1 << 0x09;
    QTest::newRow("morski twice") << 11 << 11 << 0xEE;
    QTest::newRow("white twice") << 8 << 8 << 0xFF;
    QTest::newRow("grey, dark grey") << 15 << 7 << 0x78;
    QTest::newRow("brown, olive") << 4 << 13 << 0x13;
}

void TestIconFile::fileCodes()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, value);
    QCOMPARE(int(FileCode(first) << 4 | FileCode(second)), value);
    // And as the writer puts them: the pair at the start of the bottom row.
    Editor e = Started(17);
    e.picMini.setPixel(0, ImageSize - 1, PaletteColors[first]);
    e.picMini.setPixel(1, ImageSize - 1, PaletteColors[second]);
    std::vector<std::uint8_t> bytes;
    WriteIconBitmaps(e, bytes);
    QCOMPARE(int(bytes[0]), value);
}

void TestIconFile::writerEdgeCases_data()
{
    QTest::addColumn<int>("transparent");
    QTest::addColumn<QStringList>("rows"); // palette digits from the top; "?" = Rgb(1, 2, 3)
    QTest::addColumn<int>("bitmapByte");   // expected everywhere...
    QTest::addColumn<int>("specialOffset"); // ...except at this file offset (-1: nowhere)
    QTest::addColumn<int>("specialValue");
    QTest::addColumn<int>("maskByte");
    QTest::addColumn<int>("specialMaskOffset");
    QTest::addColumn<int>("specialMaskValue");

    const QStringList allMorski(ImageSize, QString(ImageSize, QLatin1Char('b')));
    QStringList redCorner(ImageSize, QString(ImageSize, QLatin1Char('0')));
    redCorner[0][0] = QLatin1Char('1');
    QStringList oddCorner = redCorner;
    oddCorner[0][0] = QLatin1Char('?');

    QTest::newRow("morski, morski transparent")
        << 11 << allMorski << 0x00 << -1 << 0 << 0xFF << -1 << 0;
    QTest::newRow("morski, no transparent colour")
        << NoTransparentIndex << allMorski << 0xEE << -1 << 0 << 0x00 << -1 << 0;
    QTest::newRow("red top-left on black")
        << NoTransparentIndex << redCorner << 0x00 << 622 << 0x90 << 0x00 << -1 << 0;
    // Black is transparent here, so only the odd colour is written opaque,
    // as black: code 0, mask bit 0 (bit 7 of the top row's first mask byte).
    QTest::newRow("non-palette colour among transparent black")
        << 0 << oddCorner << 0x00 << -1 << 0 << 0xFF << 638 + 31 * 4 << 0x7F;
    // Red is transparent: the pixel drawn in it is written as code 0, masked.
    QTest::newRow("pixel in the transparent colour")
        << 1 << redCorner << 0x00 << -1 << 0 << 0x00 << 638 + 31 * 4 << 0x80;
}

void TestIconFile::writerEdgeCases()
{
    QFETCH(int, transparent);
    QFETCH(QStringList, rows);
    QFETCH(int, bitmapByte);
    QFETCH(int, specialOffset);
    QFETCH(int, specialValue);
    QFETCH(int, maskByte);
    QFETCH(int, specialMaskOffset);
    QFETCH(int, specialMaskValue);

    Editor e = Started(transparent);
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x) {
            const QChar c = rows[y][x];
            e.picMini.setPixel(x, y, c == QLatin1Char('?') ? Rgb(1, 2, 3)
                                                           : PaletteColors[QString(c).toInt(nullptr, 16)]);
        }
    const Bytes file = IconFileBytes(header_, e);
    QCOMPARE(file.size(), IconFileSize);
    const QString difference = FirstDifference(file, [&](std::size_t i) -> std::uint8_t {
        if (i < 126)
            return header_[i];
        if (int(i) == specialOffset)
            return std::uint8_t(specialValue);
        if (int(i) == specialMaskOffset)
            return std::uint8_t(specialMaskValue);
        return std::uint8_t(i < 638 ? bitmapByte : maskByte);
    });
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestIconFile::writerPixelOrderIsBottomRowFirst()
{
    Editor e = Started(NoTransparentIndex);
    e.picMini.setBackColour(PaletteColors[0]);
    e.picMini.setPixel(0, 31, PaletteColors[8]);  // first pixel: high nibble of byte 0
    e.picMini.setPixel(3, 31, PaletteColors[1]);  // fourth: low nibble of byte 1
    e.picMini.setPixel(31, 0, PaletteColors[2]);  // last: low nibble of byte 511
    e.picMini.setPixel(30, 0, PaletteColors[3]);  // high nibble of byte 511
    Bytes bits = Bitmaps(e);
    QCOMPARE(bits.size(), std::size_t(640));
    QCOMPARE(Hex(bits[0]), QStringLiteral("f0"));
    QCOMPARE(Hex(bits[1]), QStringLiteral("09"));
    QCOMPARE(Hex(bits[511]), QStringLiteral("ca"));
    QCOMPARE(std::count(bits.begin(), bits.begin() + 512, 0), 512 - 3);

    // The mask in the same order: bit 7 of the first byte is pixel (0, 31).
    e.TransparentIndex = 0;
    bits = Bitmaps(e);
    QCOMPARE(Hex(bits[512]), QStringLiteral("6f")); // (0,31) and (3,31) opaque
    QCOMPARE(Hex(bits[639]), QStringLiteral("fc")); // (30,0) and (31,0) opaque
    QCOMPARE(std::count(bits.begin() + 513, bits.begin() + 639, 0xFF), 126);
}

void TestIconFile::writerMatchesExactlyNeverNearly()
{
    // Each palette colour one step off in each component, and with a stray
    // high byte: none of them is a palette colour, so all are written black.
    Editor e = Started(NoTransparentIndex);
    std::vector<Colour> near;
    for (Colour c : PaletteColors) {
        // One step towards the middle, so that 0 and 255 do not wrap round.
        auto off = [](std::uint8_t v) { return std::uint8_t(v < 128 ? v + 1 : v - 1); };
        near.push_back(Rgb(off(Red(c)), Green(c), Blue(c)));
        near.push_back(Rgb(Red(c), off(Green(c)), Blue(c)));
        near.push_back(Rgb(Red(c), Green(c), off(Blue(c))));
        near.push_back(Colour{std::uint32_t(c) | 0x01000000u});
    }
    e.picMini.fillRect(0, 0, 31, 31, Rgb(1, 2, 3));
    for (std::size_t i = 0; i < near.size(); ++i)
        e.picMini.setPixel(int(i % ImageSize), int(i / ImageSize), near[i]);
    const Bytes bits = Bitmaps(e);
    const auto nonzero = std::find_if(bits.begin(), bits.end(), [](std::uint8_t b) { return b != 0; });
    QVERIFY2(nonzero == bits.end(), qPrintable(QStringLiteral("byte %1").arg(nonzero - bits.begin())));

    // The exact colours, by contrast, each get their own code.
    for (int i = 0; i < PaletteSize; ++i)
        e.picMini.setPixel(i, 31, PaletteColors[i]);
    const Bytes exact = Bitmaps(e);
    for (int i = 0; i < PaletteSize; i += 2)
        QCOMPARE(int(exact[std::size_t(i / 2)]), FileCode(i) << 4 | FileCode(i + 1));
}

void TestIconFile::wholeFileIsHeaderThenBitmaps()
{
    Editor e = Started(11);
    PaintPattern(e);
    const Bytes file = IconFileBytes(header_, e);
    QCOMPARE(file.size(), std::size_t(766));
    QVERIFY(std::equal(IconHeader.begin(), IconHeader.end(), file.begin()));
    QVERIFY(std::equal(header_.begin(), header_.end(), file.begin()));
    QVERIFY(Bitmaps(e) == Bytes(file.begin() + 126, file.end()));
    // The writer copies header.dat whatever it holds: a shorter one gives a
    // shorter file, which the reader then refuses.
    const Bytes shortHeader(header_.begin(), header_.begin() + 100);
    const Bytes shortFile = IconFileBytes(shortHeader, e);
    QCOMPARE(shortFile.size(), std::size_t(740));
    QVERIFY(!IsValidIconFile(shortFile));
}

void TestIconFile::acceptance_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("changedOffset"); // a header byte altered, or -1
    QTest::addColumn<int>("newValue");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("as written") << 766 << -1 << 0 << true;
    QTest::newRow("one byte more") << 767 << -1 << 0 << false;
    QTest::newRow("one byte less") << 765 << -1 << 0 << false;
    QTest::newRow("empty") << 0 << -1 << 0 << false;
    QTest::newRow("only the header") << 22 << -1 << 0 << false;
    QTest::newRow("planes 1 like other programs") << 766 << 10 << 1 << false;
    QTest::newRow("4 bits per pixel like other programs") << 766 << 12 << 4 << false;
    QTest::newRow("16 x 16") << 766 << 6 << 16 << false;
    QTest::newRow("last header byte") << 766 << 21 << 1 << false;
    // Nothing beyond the 22 bytes is looked at.
    QTest::newRow("damaged bitmap header") << 766 << 30 << 0x7F << true;
}

void TestIconFile::acceptance()
{
    QFETCH(int, length);
    QFETCH(int, changedOffset);
    QFETCH(int, newValue);
    QFETCH(bool, accepted);
    Bytes file = IconFileBytes(header_, Started(11));
    file.resize(std::size_t(length), 0);
    if (changedOffset >= 0)
        file[std::size_t(changedOffset)] = std::uint8_t(newValue);
    QCOMPARE(IsValidIconFile(file), accepted);

    Surface pic(19, 19, PaletteColors[15]);
    pic.setPixel(0, 0, PaletteColors[3]);
    QCOMPARE(DecodeIcon(file, pic), accepted);
    // A refused file leaves the staging surface alone.
    QCOMPARE(pic.width(), accepted ? 32 : 19);
}

void TestIconFile::decodeUsesTheFilesOwnColourTableAndMask()
{
    // A file whose table and bitmap header are not ours: code 0 is some
    // colour of no palette, the bitmap header is garbage.
    Bytes file = IconFileBytes(header_, Started(NoTransparentIndex)); // all code 14
    for (std::size_t i = 22; i < 62; ++i)
        file[i] = 0xA5;
    file[62 + 4 * 14 + 0] = 30; // blue
    file[62 + 4 * 14 + 1] = 20; // green
    file[62 + 4 * 14 + 2] = 10; // red
    file[62 + 4 * 14 + 3] = 99; // the unused byte is ignored
    file[638] = 0x80;           // pixel (0, 31) transparent, though its code is 14
    Surface pic(100, 100, PaletteColors[15]);
    QVERIFY(DecodeIcon(file, pic));
    QCOMPARE(pic.width(), 32);
    QCOMPARE(pic.height(), 32);
    QCOMPARE(pic.pixel(0, 31), PaletteColors[15]);
    QCOMPARE(pic.pixel(1, 31), Rgb(10, 20, 30));
    QCOMPARE(pic.pixel(31, 0), Rgb(10, 20, 30));

    // Loading it: the odd colour is kept; the grey background becomes the
    // transparent colour when one is set.
    Editor e = Started(3);
    e.pic.assign(pic, true);
    const Surface blank = e.picMini;
    ChangeLog log(e.picMini);
    LoadIconPixels(e);
    QCOMPARE(e.picMini.pixel(0, 31), PaletteColors[3]);
    QCOMPARE(e.picMini.pixel(5, 5), Rgb(10, 20, 30));
    QCOMPARE(log.changes, QStringList("Open"));
    QCOMPARE(log.MissedPixels(blank), QString());
}

void TestIconFile::roundTripKeepsPaletteColoursAndTransparency()
{
    Editor e = Started(11);
    PaintPattern(e);
    const Surface drawn = e.picMini;
    const Bytes file = IconFileBytes(header_, e);

    Editor back = Started(11);
    QVERIFY(DecodeIcon(file, back.pic));
    LoadIconPixels(back);
    // Opaque grey cannot be told from the background: it comes back in the
    // transparent colour. Everything else comes back exactly.
    Surface expected = drawn;
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x)
            if (expected.pixel(x, y) == PaletteColors[15])
                expected.setPixel(x, y, PaletteColors[11]);
    QCOMPARE(Rows(back.picMini), Rows(expected));
    QVERIFY(Rows(back.picMini).contains(QLatin1Char('b')));
}

void TestIconFile::transparentComesBackAsGreyWithoutTransparentColour()
{
    Editor e = Started(11); // the blank image: all transparent
    const Bytes file = IconFileBytes(header_, e);
    Editor back = Started(NoTransparentIndex);
    QVERIFY(DecodeIcon(file, back.pic));
    LoadIconPixels(back);
    QCOMPARE(Rows(back.picMini), Rows(QStringList(ImageSize, QString(ImageSize, QLatin1Char('f')))));
}

namespace {
// One pixel as another program decoded it.
struct Decoded {
    int r, g, b, a;
};
using DecodedImage = QHash<QPoint, Decoded>;

QString Run(const QString& program, const QStringList& args, bool* ok)
{
    QProcess p;
    p.start(program, args);
    *ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!*ok)
        qWarning().noquote() << program << p.readAllStandardError();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// "x y r g b a" lines.
DecodedImage ParseXYRGBA(const QString& text)
{
    DecodedImage img;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList v = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (v.size() == 6)
            img[QPoint(v[0].toInt(), v[1].toInt())] = {v[2].toInt(), v[3].toInt(), v[4].toInt(), v[5].toInt()};
    }
    return img;
}

DecodedImage FromQImage(const QImage& image)
{
    DecodedImage img;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            img[QPoint(x, y)] = {qRed(p), qGreen(p), qBlue(p), qAlpha(p)};
        }
    return img;
}
} // namespace

void TestIconFile::otherDecodersReadWhatWeWrite_data()
{
    QTest::addColumn<QString>("decoder");
    QTest::newRow("Pillow") << "pillow";
    QTest::newRow("ImageMagick") << "convert";
    QTest::newRow("icoutils") << "icotool";
}

void TestIconFile::otherDecodersReadWhatWeWrite()
{
    QFETCH(QString, decoder);
    Editor e = Started(11);
    PaintPattern(e);
    e.picMini.setPixel(5, 7, Rgb(1, 2, 3)); // written as opaque black
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("pattern.ico"));
    {
        const Bytes file = IconFileBytes(header_, e);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(file.data()), qint64(file.size()));
    }

    bool ok = false;
    DecodedImage img;
    if (decoder == QLatin1String("pillow")) {
        // Debian's interpreter, where python3-pil installs Pillow.
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
        if (!python.isEmpty())
            Run(python, {QStringLiteral("-c"), QStringLiteral("import PIL")}, &ok);
        if (!ok)
            QSKIP("python3 with Pillow (python3-pil) is not installed");
        const QString script = QStringLiteral(
            "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\n"
            "print(im.format, im.size[0], im.size[1])\nim = im.convert('RGBA')\n"
            "for y in range(im.size[1]):\n  for x in range(im.size[0]):\n"
            "    print(x, y, *im.getpixel((x, y)))\n");
        const QString out = Run(python, {QStringLiteral("-c"), script, path}, &ok);
        QVERIFY(ok);
        QVERIFY2(out.startsWith(QStringLiteral("ICO 32 32\n")), qPrintable(out.left(40)));
        img = ParseXYRGBA(out);
    } else if (decoder == QLatin1String("convert")) {
        if (QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty())
            QSKIP("ImageMagick (convert) is not installed");
        // "x,y: (r,g,b,a)  #RRGGBBAA  srgba(...)", 8 bits per channel.
        const QString out = Run(QStringLiteral("convert"),
                                {path, QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("txt:-")}, &ok);
        QVERIFY(ok);
        const QRegularExpression re(QStringLiteral("^(\\d+),(\\d+): \\(\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)\\)"),
                                    QRegularExpression::MultilineOption);
        QString lines;
        for (auto it = re.globalMatch(out); it.hasNext();) {
            const auto m = it.next();
            lines += QStringLiteral("%1 %2 %3 %4 %5 %6\n").arg(m.captured(1), m.captured(2), m.captured(3),
                                                              m.captured(4), m.captured(5), m.captured(6));
        }
        img = ParseXYRGBA(lines);
    } else {
        if (QStandardPaths::findExecutable(QStringLiteral("icotool")).isEmpty())
            QSKIP("icoutils (icotool) is not installed");
        const QString list = Run(QStringLiteral("icotool"), {QStringLiteral("-l"), path}, &ok);
        QVERIFY(ok);
        QVERIFY2(list.contains(QStringLiteral("--width=32 --height=32")), qPrintable(list));
        Run(QStringLiteral("icotool"), {QStringLiteral("-x"), QStringLiteral("-o"), dir.path(), path}, &ok);
        QVERIFY(ok);
        const QStringList pngs = QDir(dir.path()).entryList({QStringLiteral("*.png")});
        QCOMPARE(pngs.size(), 1);
        QImage png(dir.filePath(pngs.first()));
        QVERIFY(!png.isNull());
        img = FromQImage(png);
    }

    QCOMPARE(img.size(), ImageSize * ImageSize);
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x) {
            const Decoded d = img.value(QPoint(x, y), {-1, -1, -1, -1});
            const Colour drawn = e.picMini.pixel(x, y);
            const QString where = QStringLiteral("pixel (%1,%2): %3 %4 %5 %6")
                                      .arg(x).arg(y).arg(d.r).arg(d.g).arg(d.b).arg(d.a);
            if (drawn == PaletteColors[11]) {
                QVERIFY2(d.a == 0, qPrintable(where + QStringLiteral(" should be transparent")));
                continue;
            }
            const Colour expected = PaletteIndexOf(drawn) < 0 ? PaletteColors[0] : drawn;
            QVERIFY2(d.a == 255 && Rgb(d.r, d.g, d.b) == expected, qPrintable(where));
        }
}

QTEST_GUILESS_MAIN(TestIconFile)
#include "test_iconfile.moc"
