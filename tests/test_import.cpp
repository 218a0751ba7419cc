// The two imports of the Plik menu: picture files (directly or through the
// placement window, bad files ending silently) and the icon a file shows.
#include <QDir>
#include <QImageWriter>
#include <QtEndian>
#include <QtTest>

#include <set>

#include <sys/stat.h>
#include <unistd.h>

#include "core/Procedury.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"
#include "transfer/PictureDecoder.h"
#include "transfer/PngChunks.h"
#include "transfer/WyciaganieIkon.h"
#include "transfer/frmtmp.h"
#include "qt/QtColour.h"
#include "ui/frmMain.h"

namespace {

QRgb PatternAt(int x, int y)
{
    return qRgb(x * 5 + 3, y * 5 + 4, 77);
}

QImage Pattern(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, PatternAt(x, y));
    return img;
}

QString PatternIn(const Surface& s, int w, int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (s.pixel(x, y) != FromQRgb(PatternAt(x, y)))
                return QStringLiteral("pixel (%1,%2) is not the picture's").arg(x).arg(y);
    return {};
}

QString Row(const QString& r)
{
    return Rows(QStringList{r});
}

// A PNG whose header claims the given size, with a correct checksum, and no
// pixel data worth the name.
QByteArray HugePng(int w, int h)
{
    QByteArray ihdr("IHDR");
    for (int v : {w, h})
        ihdr.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
    ihdr.append("\x08\x02\x00\x00\x00", 5);
    quint32 crc = 0xFFFFFFFFu;
    for (char c : ihdr) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    crc ^= 0xFFFFFFFFu;
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.append("\0\0\0\x0d", 4).append(ihdr);
    for (int s : {24, 16, 8, 0})
        png.append(char(crc >> s));
    return png + QByteArray(64, '\0');
}

QByteArray Jpeg(const QImage& img, bool progressive)
{
    QByteArray jpeg;
    QBuffer b(&jpeg);
    b.open(QIODevice::WriteOnly);
    QImageWriter writer(&b, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(img);
    return jpeg;
}

// Qt's progressive JPEG with empty DC refinement scans of the first
// component added before its end, up to `scans` in all.
QByteArray JpegOfScans(int scans)
{
    QByteArray jpeg = Jpeg(Pattern(40, 40), true);
    const int own = JpegScanCount(jpeg);
    jpeg.chop(2);
    for (int i = own; i < scans; ++i)
        jpeg.append("\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x10", 10);
    return jpeg.append("\xFF\xD9", 2);
}

const QString CD4Filter = QStringLiteral(
    "Pliki BMP|*.bmp|Pliki GIF|*.gif|Pliki JPG|*.jpg|Pliki WMF|*.wmf|Pliki CUR (kursory)|*.cur|Wszystkie pliki|*.*");

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void smallPictureClearsTheRestAndUndoesTwice();
    void transparentPartsTakeColour11();
    void largePicturesGoThroughThePlacementWindow_data();
    void largePicturesGoThroughThePlacementWindow();
    void badFilesEndSilently_data();
    void badFilesEndSilently();
    void jpegScansAreCounted();
    void pngExtrasAreDropped();
    void programIconWithItsMask_data();
    void programIconWithItsMask();
    void installerStubIcon();
    void otherFilesShowTheirThemeIcon_data();
    void otherFilesShowTheirThemeIcon();
    void missingFileClearsAndCancelChangesNothing();
    void iconsKeepTheirOwnColours();
};

void TestImport::smallPictureClearsTheRestAndUndoesTwice()
{
    QTemporaryDir dir;
    QVERIFY(Pattern(32, 32).save(dir.filePath("full.bmp")));
    QVERIFY(WriteBytes(dir.filePath("small.gif"), GifFile(Pattern(16, 16))));
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    e.CurrentFileName = "keep.ico";
    dialogs.fileAnswers = {dir.filePath("full.bmp"), dir.filePath("small.gif")};
    const Surface blank = e.picMini;
    ChangeLog log(e.picMini);

    w.mnuImportPaint_Click();
    QCOMPARE(dialogs.fileTitles, QStringList{"Importuj plik graficzny"});
    QCOMPARE(dialogs.fileFilters, QStringList{CD4Filter});
    QString diff = PatternIn(e.picMini, 32, 32);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    QCOMPARE(log.changes, QStringList("Import")); // the reset and the picture as one
    QCOMPARE(log.MissedPixels(blank), QString());
    const Surface imported = e.picMini;
    w.mnuCofnij_Click();
    for (int y = 0; y < 32; ++y)
        QCOMPARE(Rows(e.picMini, 0, y, 32, 1), Row(QString(32, 'b')));
    w.mnuCofnij_Click();
    QVERIFY(e.picMini.sameContent(imported));

    w.mnuImportPaint_Click(); // 16 x 16 GIF: everything else cleared
    diff = PatternIn(e.picMini, 16, 16);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    QCOMPARE(Rows(e.picMini, 16, 0, 16, 1), Row(QString(16, 'b')));
    QCOMPARE(Rows(e.picMini, 0, 31, 32, 1), Row(QString(32, 'b')));
    QCOMPARE(e.CurrentFileName, "keep.ico");
    // The picture stays on the staging surface after a direct import.
    QCOMPARE(QSize(e.pic.width(), e.pic.height()), QSize(16, 16));
    QCOMPARE(e.pic.pixel(3, 3), FromQRgb(PatternAt(3, 3)));
}

void TestImport::transparentPartsTakeColour11()
{
    QTemporaryDir dir;
    QImage picture = Pattern(8, 8);
    const QRgb hole = qRgb(1, 1, 1);
    for (int x = 0; x < 8; ++x)
        picture.setPixel(x, 0, hole);
    QVERIFY(WriteBytes(dir.filePath("hole.gif"), GifFile(picture, hole)));
    const QImage cursor = Pattern(32, 32).convertToFormat(QImage::Format_ARGB32);
    QImage masked = cursor;
    for (int y = 0; y < 32; ++y)
        masked.setPixel(0, y, 0);
    QVERIFY(masked.save(dir.filePath("arrow.png")));
    const bool haveIcotool = RunTool("icotool", {"-c", "--cursor", "-o", "arrow.cur", "arrow.png"}, dir.path());
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    dialogs.fileAnswers = {dir.filePath("hole.gif"), dir.filePath("arrow.cur")};
    w.mnuImportPaint_Click();
    QCOMPARE(Rows(e.picMini, 0, 0, 9, 1), Row(QString(9, 'b')));
    QCOMPARE(e.picMini.pixel(3, 3), FromQRgb(PatternAt(3, 3)));
    if (!haveIcotool)
        QSKIP("icotool is not installed");
    w.mnuImportPaint_Click();
    QCOMPARE(Rows(e.picMini, 0, 0, 1, 32), Rows(QStringList(32, "b")));
    QCOMPARE(e.picMini.pixel(1, 5), FromQRgb(PatternAt(1, 5)));
}

void TestImport::largePicturesGoThroughThePlacementWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QByteArray bmp;
    {
        QBuffer b(&bmp);
        b.open(QIODevice::WriteOnly);
        Pattern(33, 20).save(&b, "BMP");
    }
    QTest::newRow("33 x 20 bitmap") << "wide.bmp" << bmp << QSize(33, 20);
    QTest::newRow("metafile 40 x 20") << "shape.wmf" << RectangleMetafile() << QSize(40, 20);
}

void TestImport::largePicturesGoThroughThePlacementWindow()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QTemporaryDir dir;
    QVERIFY(WriteBytes(dir.filePath(name), bytes));
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    dialogs.fileAnswers = {dir.filePath(name)};
    bool shown = false;
    WhenModal([&](QWidget* modal) {
        shown = modal == w.tmp;
        QCOMPARE(QSize(e.pic.width(), e.pic.height()), size);
        w.tmp->pic_Click();
    });
    w.mnuImportPaint_Click();
    QVERIFY(shown);
    QCOMPARE(QString::fromStdString(e.FragmentPrompt), QStringLiteral("Wybierz fragment pliku, który chcesz zaimportować"));
    if (name.endsWith("bmp")) {
        const QString diff = PatternIn(e.picMini, 32, 20);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    } else {
        // Undrawn metafile areas are the placement window's grey (15).
        QCOMPARE(Rows(e.picMini, 0, 0, 8, 4), Rows(QStringList{"ffffffff", "ffffffff", "ffff0000", "ffff0111"}));
    }
}

void TestImport::badFilesEndSilently_data()
{
    QTest::addColumn<QString>("kind");
    QByteArray bmp;
    {
        QBuffer b(&bmp);
        b.open(QIODevice::WriteOnly);
        Pattern(20, 20).save(&b, "BMP");
    }
    QTest::newRow("cancelled") << "cancel";
    QTest::newRow("text file") << "text";
    QTest::newRow("zero bytes") << "empty";
    QTest::newRow("directory") << "dir";
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("dangling link") << "link";
    QTest::newRow("unreadable") << "unreadable";
    QTest::newRow("20000 x 20000 png") << "hugepng";
    QTest::newRow("20000 x 20000 gif") << "hugegif";
    QTest::newRow("truncated bitmap") << "shortbmp";
    QTest::newRow("truncated metafile header") << "shortwmf";
    QTest::newRow("truncated gif") << "shortgif";
    QTest::newRow("truncated jpeg") << "shortjpeg";
    QTest::newRow("truncated png") << "shortpng";
    QTest::newRow("bitmap header of absurd size") << "hugebmp";
    QTest::newRow("truncated icon") << "shortico";
    QTest::newRow("jpeg of 20000 scans") << "manyscans";
}

void TestImport::badFilesEndSilently()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("file");
    QByteArray bmp;
    {
        QBuffer b(&bmp);
        b.open(QIODevice::WriteOnly);
        Pattern(20, 20).save(&b, "BMP");
    }
    if (kind == "text")
        QVERIFY(WriteBytes(path, "Just some words.\n"));
    else if (kind == "empty")
        QVERIFY(WriteBytes(path, {}));
    else if (kind == "dir")
        QVERIFY(QDir(dir.path()).mkdir("file"));
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "link")
        QVERIFY(QFile::link(dir.filePath("nowhere"), path));
    else if (kind == "unreadable") {
        if (::geteuid() == 0)
            QSKIP("the superuser reads every file");
        QVERIFY(WriteBytes(path, bmp));
        QVERIFY(QFile::setPermissions(path, {}));
    } else if (kind == "hugepng")
        QVERIFY(WriteBytes(path, HugePng(20000, 20000)));
    else if (kind == "hugegif")
        QVERIFY(WriteBytes(path, GifFile(Pattern(4, 4), std::nullopt, QSize(20000, 20000))));
    else if (kind == "shortbmp")
        QVERIFY(WriteBytes(path, bmp.left(bmp.size() / 2)));
    else if (kind == "hugebmp") {
        QByteArray huge = bmp;
        qToLittleEndian<qint32>(0x7FFFFFFF, huge.data() + 18);
        qToLittleEndian<qint32>(-0x7FFFFFFF, huge.data() + 22);
        QVERIFY(WriteBytes(path, huge));
    } else if (kind == "shortgif")
        QVERIFY(WriteBytes(path, GifFile(Pattern(20, 20)).chopped(300)));
    else if (kind == "shortjpeg") {
        QByteArray jpeg;
        QBuffer b(&jpeg);
        QVERIFY(b.open(QIODevice::WriteOnly) && Pattern(200, 200).save(&b, "JPEG"));
        QVERIFY(WriteBytes(path, jpeg.chopped(jpeg.size() / 3)));
    } else if (kind == "shortpng") {
        QByteArray png;
        QBuffer b(&png);
        QVERIFY(b.open(QIODevice::WriteOnly) && Pattern(20, 20).save(&b, "PNG"));
        QVERIFY(WriteBytes(path, png.chopped(png.size() / 3)));
    } else if (kind == "shortico")
        QVERIFY(WriteBytes(path, IconFile({{32, Dib(32, 32, 24, {}, PatternAt, [](int, int) { return false; })}})
                                     .chopped(100)));
    else if (kind == "shortwmf")
        QVERIFY(WriteBytes(path, RectangleMetafile().left(30)));
    else if (kind == "manyscans")
        QVERIFY(WriteBytes(path, JpegOfScans(20000)));

    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    e.picMini.setPixel(5, 5, PaletteColors[2]);
    const Surface before = e.picMini;
    const Surface undo = e.Undo1;
    dialogs.fileAnswers = {kind == "cancel" ? std::nullopt : std::optional<QString>(path)};
    bool modal = false;
    WhenModal([&](QWidget* m) { modal = true, m->close(); }, 300);
    w.mnuImportPaint_Click();
    QTest::qWait(350);
    QVERIFY(!modal);
    QVERIFY(e.picMini.sameContent(before));
    QVERIFY(e.Undo1.sameContent(undo));
    QVERIFY(dialogs.messages.empty());
}

void TestImport::jpegScansAreCounted()
{
    QCOMPARE(JpegScanCount(Jpeg(Pattern(40, 40), false)), 1);
    const QByteArray progressive = Jpeg(Pattern(40, 40), true);
    QVERIFY(JpegScanCount(progressive) > 1);
    QVERIFY(DecodePicture(progressive));
    // A thumbnail in an application segment brings scans of its own that
    // the picture does not have.
    QByteArray withThumbnail = progressive;
    const QByteArray thumbnail = Jpeg(Pattern(8, 8), true);
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((thumbnail.size() + 2) >> 8)).append(char((thumbnail.size() + 2) & 0xFF)).append(thumbnail);
    withThumbnail.insert(2, app1);
    QCOMPARE(JpegScanCount(withThumbnail), JpegScanCount(progressive));
    QVERIFY(DecodePicture(withThumbnail));

    QCOMPARE(JpegScanCount(JpegOfScans(MaxJpegScans)), MaxJpegScans);
    QVERIFY(DecodePicture(JpegOfScans(MaxJpegScans)));
    QVERIFY(JpegScanCount(JpegOfScans(20000)) > MaxJpegScans);
    QVERIFY(!DecodePicture(JpegOfScans(MaxJpegScans + 1)));
    QCOMPARE(JpegScanCount(progressive.chopped(2)), -1);
}

namespace {

// The hostile seeds that tests/e2e/costly.py writes for the fuzz targets;
// a picture seed starts with the fuzz target's hint byte.
QByteArray Seed(const char* name)
{
    QFile file(QStringLiteral(PIKSELAR_SOURCE_DIR "/fuzz/corpus/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().mid(1) : QByteArray();
}

// The chunk types of a PNG, in order.
QStringList PngChunks(const QByteArray& png)
{
    QStringList types;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        types << QString::fromLatin1(png.mid(at + 4, 4));
        at += 12 + qsizetype(length);
    }
    return types;
}

QByteArray PngChunk(const char* type, const QByteArray& data)
{
    QByteArray c(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), c.data());
    return c + type + data + QByteArray(4, '\0');
}

} // namespace

void TestImport::pngExtrasAreDropped()
{
    // Forty compressed texts that inflate to almost 8 MB each: the decoder
    // never sees them, and the picture still comes.
    const QByteArray hostile = Seed("picture/png-40-ztxt");
    QVERIFY(IsPng(hostile));
    QCOMPARE(PngChunks(hostile).count(QStringLiteral("zTXt")), 40);
    const QByteArray walked = WithoutPngExtras(hostile);
    QCOMPARE(PngChunks(walked).count(QStringLiteral("zTXt")), 0);
    QVERIFY(walked.size() < 2048);
    const auto picture = DecodePicture(hostile);
    QVERIFY(picture);
    QCOMPARE(picture->size(), QSize(32, 32));
    QCOMPARE(picture->pixel(5, 5), qRgb(0, 0, 255));

    // An ordinary PNG with a short note decodes as before.
    const QByteArray noted = Seed("picture/png-small-text");
    QVERIFY(PngChunks(noted).contains(QStringLiteral("tEXt")));
    const auto plain = DecodePicture(noted);
    QVERIFY(plain);
    QCOMPARE(plain->pixel(31, 31), qRgb(0, 0, 255));

    // Other extras stay up to the allowance, in their order; the pieces of
    // the picture and its transparency always stay.
    const QByteArray start = hostile.left(33), end = hostile.right(12);
    const QByteArray small = PngChunk("prVt", QByteArray(100, 'x'));
    const QByteArray big = PngChunk("prVt", QByteArray(MaxPngExtraBytes, 'x'));
    const QByteArray alpha = PngChunk("tRNS", QByteArray(6, '\0'));
    QCOMPARE(PngChunks(WithoutPngExtras(start + small + big + alpha + small + end)),
             QStringList({"IHDR", "prVt", "tRNS", "prVt", "IEND"}));
    // A chunk longer than the rest of the file ends the walk: neither it nor
    // what follows reaches the decoder, which would read its length.
    QByteArray cut = start + small;
    cut.append(PngChunk("zTXt", QByteArray(50, 'z')).chopped(20));
    QCOMPARE(WithoutPngExtras(cut), start + small);
    QByteArray huge = start;
    huge.append(QByteArray::fromHex("80c316a1") + "IDAT" + QByteArray(64, '\0'));
    QCOMPARE(WithoutPngExtras(huge), start);
    QVERIFY(!DecodePicture(huge));
    // Whatever is not a PNG is left alone.
    QCOMPARE(WithoutPngExtras(QByteArray("BM not a png")), QByteArray("BM not a png"));
}

void TestImport::programIconWithItsMask_data()
{
    QTest::addColumn<QString>("arch");
    QTest::newRow("PE32") << "i686";
    QTest::newRow("PE32+") << "x86_64";
}

void TestImport::programIconWithItsMask()
{
    QFETCH(QString, arch);
    QTemporaryDir dir;
    // 32 x 32, 24 bits: the pattern, its left column masked, and a 16 x 16
    // image that must not be chosen.
    const QByteArray big = Dib(32, 32, 24, {}, [](int x, int y) { return PatternAt(x, y); },
                               [](int x, int) { return x == 0; });
    const QByteArray small = Dib(16, 16, 24, {}, [](int, int) { return 0xFF000000u; },
                                 [](int, int) { return false; });
    QVERIFY(WriteBytes(dir.filePath("a.ico"), IconFile({{16, small}, {32, big}})));
    const QByteArray exe = LinkProgram(arch, "1 ICON \"a.ico\"\n", dir.path());
    if (exe.isEmpty())
        QSKIP("the mingw-w64 binutils are not installed");
    QVERIFY(WriteBytes(dir.filePath("prog.exe"), exe));

    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    e.CurrentFileName = "keep.ico";
    Surface undo = e.Undo1;
    const Surface blank = e.picMini;
    ChangeLog log(e.picMini);
    dialogs.fileAnswers = {dir.filePath("prog.exe")};
    w.mnuOpenEXE_Click();
    QCOMPARE(dialogs.fileTitles, QStringList{QStringLiteral("Importuj ikonę z pliku EXE")});
    QCOMPARE(dialogs.fileFilters, QStringList{"Pliki EXE|*.EXE|Wszystkie pliki|*.*"});
    QCOMPARE(Rows(e.picMini, 0, 0, 1, 32), Rows(QStringList(32, "b")));
    for (int y = 0; y < 32; ++y)
        for (int x = 1; x < 32; ++x)
            QCOMPARE(e.picMini.pixel(x, y), FromQRgb(PatternAt(x, y)));
    QCOMPARE(log.changes, QStringList("ProgramIcon"));
    QCOMPARE(log.MissedPixels(blank), QString());
    QCOMPARE(e.CurrentFileName, "keep.ico");
    QVERIFY(e.Undo1.sameContent(undo));

    // The small image for size 16, and nothing at all for other sizes.
    Surface s16(16, 16, PaletteColors[11]);
    WyciaganieIkon::DrawFileIcon(dir.filePath("prog.exe"), s16, 16);
    QCOMPARE(Rows(s16, 0, 0, 16, 1), Row(QString(16, '0')));
    Surface s20(32, 32, PaletteColors[11]);
    s20.setPixel(1, 1, PaletteColors[3]);
    WyciaganieIkon::DrawFileIcon(dir.filePath("prog.exe"), s20, 20);
    QCOMPARE(Rows(s20, 0, 1, 4, 1), Row("bbbb"));
}

void TestImport::installerStubIcon()
{
    const QStringList stubs = QDir("/usr/share/nsis/Stubs").entryList({"zlib*", "lzma*", "bzip2*"}, QDir::Files);
    if (stubs.isEmpty())
        QSKIP("the installer package's stubs are not installed");
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    dialogs.fileAnswers = {"/usr/share/nsis/Stubs/" + stubs.first()};
    w.mnuOpenEXE_Click();
    // A 16-colour icon: every pixel a standard 4-bit colour or the background.
    int background = 0;
    QSet<quint32> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const Colour c = e.picMini.pixel(x, y);
            background += c == PaletteColors[11];
            colours.insert(quint32(c));
        }
    QVERIFY2(background < 1024 && colours.size() >= 3 && colours.size() <= 17,
             qPrintable(QStringLiteral("%1 background, %2 colours").arg(background).arg(colours.size())));
}

void TestImport::otherFilesShowTheirThemeIcon_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text file") << "notes.txt" << QByteArray("hello\n");
    QTest::newRow("program without icons") << "plain.exe" << QByteArray("MZ") + QByteArray(100, '\0');
    QTest::newRow("desktop entry") << "app.desktop"
                                   << QByteArray("[Desktop Entry]\nType=Application\nName=X\nIcon=folder\n");
    QTest::newRow("folder") << "sub" << QByteArray();
    // The named picture is a FIFO: never opened, the entry's own type shows.
    QTest::newRow("desktop entry naming a FIFO") << "fifo.desktop"
                                                 << QByteArray("[Desktop Entry]\nIcon=/FIFO\n");
}

void TestImport::otherFilesShowTheirThemeIcon()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    if (name == "sub")
        QVERIFY(QDir(dir.path()).mkdir(name));
    else
        QVERIFY(WriteBytes(dir.filePath(name), QByteArray(bytes).replace("/FIFO", QFile::encodeName(dir.filePath("f")))));
    if (name.startsWith("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("f")).constData(), 0600), 0);
    const QImage icon = WyciaganieIkon::FileIcon(dir.filePath(name), 32);
    if (icon.isNull() && !QDir("/usr/share/icons/Adwaita").exists())
        QSKIP("no icon theme is installed");
    QCOMPARE(icon.size(), QSize(32, 32));
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    dialogs.fileAnswers = {dir.filePath(name)};
    w.mnuOpenEXE_Click();
    int drawn = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            drawn += w.editor().picMini.pixel(x, y) != PaletteColors[11];
    QVERIFY2(drawn > 50, qPrintable(QString::number(drawn)));
}

void TestImport::iconsKeepTheirOwnColours()
{
    // An icon of 48 x 48 only, in columns of palette red and blue: shrunk to
    // 32 x 32 every pixel is still red or blue, never a blend.
    QTemporaryDir dir;
    const std::vector<std::uint32_t> palette = {0xFF0000, 0x0000FF};
    const QByteArray stripes = Dib(48, 48, 4, palette, [](int x, int) { return std::uint32_t(x % 2); },
                                   [](int, int) { return false; });
    QVERIFY(WriteBytes(dir.filePath("big.ico"), IconFile({{48, stripes}})));
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    dialogs.fileAnswers = {dir.filePath("big.ico")};
    w.mnuOpenEXE_Click();
    std::set<quint32> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            colours.insert(quint32(w.editor().picMini.pixel(x, y)));
    QCOMPARE(colours, (std::set<quint32>{quint32(PaletteColors[1]), quint32(PaletteColors[3])}));

    // A desktop entry naming a JPEG too costly to decode shows the icon of
    // an entry that names nothing.
    QVERIFY(WriteBytes(dir.filePath("scans.jpg"), JpegOfScans(20000)));
    QVERIFY(WriteBytes(dir.filePath("costly.desktop"),
                       "[Desktop Entry]\nIcon=" + QFile::encodeName(dir.filePath("scans.jpg")) + "\n"));
    QVERIFY(WriteBytes(dir.filePath("plain.desktop"), "[Desktop Entry]\nName=X\n"));
    QVERIFY(WriteBytes(dir.filePath("fine.jpg"), Jpeg(Pattern(40, 40), true)));
    QVERIFY(WriteBytes(dir.filePath("fine.desktop"),
                       "[Desktop Entry]\nIcon=" + QFile::encodeName(dir.filePath("fine.jpg")) + "\n"));
    const QImage plain = WyciaganieIkon::FileIcon(dir.filePath("plain.desktop"), 32);
    QCOMPARE(WyciaganieIkon::FileIcon(dir.filePath("costly.desktop"), 32), plain);
    QVERIFY(WyciaganieIkon::FileIcon(dir.filePath("fine.desktop"), 32) != plain);
}

void TestImport::missingFileClearsAndCancelChangesNothing()
{
    ScriptedDialogs dialogs;
    frmMain w(dialogs);
    Editor& e = w.editor();
    e.picMini.setPixel(3, 3, PaletteColors[0]);
    dialogs.fileAnswers = {std::nullopt, QStringLiteral("/nonexistent/prog.exe")};
    w.mnuOpenEXE_Click();
    QCOMPARE(e.picMini.pixel(3, 3), PaletteColors[0]);
    w.mnuOpenEXE_Click();
    for (int y = 0; y < 32; ++y)
        QCOMPARE(Rows(e.picMini, 0, y, 32, 1), Row(QString(32, 'b')));
}

QTEST_MAIN(TestImport)
#include "test_import.moc"
