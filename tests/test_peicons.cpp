// The icon reader for program files and icon/cursor files: real program
// files linked here from icons the test writes, the stubs of the installer
// package, hand-made DIBs of every depth, and damaged input.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <set>

#include "support/Fixtures.h"
#include "transfer/PeIcons.h"

namespace {

using Entry = IconEntry;

pe::Bytes View(const QByteArray& b)
{
    return {reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size())};
}

// A message naming the first pixel that differs, or empty.
QString Compare(const pe::IconImage& img, int w, int h, const std::function<std::uint32_t(int, int)>& want)
{
    if (img.width != w || img.height != h || img.argb.size() != std::size_t(w * h))
        return QStringLiteral("size %1 x %2, want %3 x %4").arg(img.width).arg(img.height).arg(w).arg(h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (img.argb[std::size_t(y * w + x)] != want(x, y))
                return QStringLiteral("pixel (%1,%2) is %3, want %4")
                    .arg(x)
                    .arg(y)
                    .arg(img.argb[std::size_t(y * w + x)], 8, 16, QChar('0'))
                    .arg(want(x, y), 8, 16, QChar('0'));
    return {};
}

const std::vector<std::uint32_t> Vga = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x808000, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// Three images of different size and depth, told apart by their patterns.
QByteArray SmallIcon()
{
    return Dib(16, 16, 8, Vga, [](int x, int y) { return std::uint32_t((x + y) % 16); },
               [](int x, int) { return x == 0; });
}
QByteArray Shallow32()
{
    return Dib(32, 32, 4, Vga, [](int, int) { return 9u; }, [](int, int) { return false; });
}
std::uint32_t DeepColour(int x, int y)
{
    return 0xFF000000u | std::uint32_t(x * 8) << 16 | std::uint32_t(y * 8) << 8 | 0x40;
}
bool DeepMasked(int x, int y)
{
    return x + y < 6;
}
QByteArray Deep32()
{
    return Dib(32, 32, 24, {}, DeepColour, DeepMasked);
}
std::uint32_t DeepWant(int x, int y)
{
    return DeepMasked(x, y) ? 0u : DeepColour(x, y);
}

void WriteFile(const QString& path, const QByteArray& data)
{
    QVERIFY(WriteBytes(path, data));
}

// A 16-bit NE program file with one icon group of the given images.
QByteArray NeProgram(const std::vector<QByteArray>& icons)
{
    constexpr int shift = 4; // resources on 16-byte boundaries
    QByteArray group;
    Put16(group, 0);
    Put16(group, 1);
    Put16(group, int(icons.size()));
    for (std::size_t i = 0; i < icons.size(); ++i) {
        group += QByteArray(8, '\0');
        Put32(group, std::uint32_t(icons[i].size()));
        Put16(group, int(i + 1));
    }
    QByteArray file(0x40, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    file[0x3C] = 0x40;
    QByteArray ne(0x40, '\0');
    ne[0] = 'N';
    ne[1] = 'E';
    ne[0x24] = 0x40; // resource table right after this header
    file += ne;
    const int tableSize = 2 + 8 + 12 * int(icons.size()) + 8 + 12 + 2;
    int dataAt = (file.size() + tableSize + 15) / 16 * 16;
    QByteArray table;
    Put16(table, shift);
    auto type = [&](int id, const std::vector<QByteArray>& items) {
        Put16(table, 0x8000 | id);
        Put16(table, int(items.size()));
        Put32(table, 0);
        for (std::size_t i = 0; i < items.size(); ++i) {
            Put16(table, dataAt >> shift);
            Put16(table, int((items[i].size() + 15) >> shift));
            Put16(table, 0x30);
            Put16(table, 0x8000 | int(i + 1));
            Put32(table, 0);
            dataAt += int((items[i].size() + 15) / 16 * 16);
        }
    };
    type(3, icons);
    type(14, {group});
    Put16(table, 0);
    file += table;
    for (const QByteArray& item : icons) {
        file += QByteArray((16 - file.size() % 16) % 16, '\0');
        file += item;
    }
    file += QByteArray((16 - file.size() % 16) % 16, '\0');
    file += group;
    return file;
}

// True when the image has sane dimensions and exactly one pixel per cell
// or PNG bytes: what any caller may rely on for whatever it was given.
bool WellFormed(const std::optional<pe::IconImage>& img)
{
    if (!img)
        return true;
    const bool sized = img->width >= 1 && img->width <= pe::MaxIconSide && img->height >= 1 &&
                       img->height <= pe::MaxIconSide;
    return sized && (img->png.empty() ? img->argb.size() == std::size_t(img->width * img->height)
                                      : img->argb.empty());
}

} // namespace

class TestPeIcons : public QObject {
    Q_OBJECT
private slots:
    void dibDepths_data();
    void dibDepths();
    void alphaChannelWinsOverMaskUnlessEmpty();
    void iconFileChoosesSizeThenDepth_data();
    void iconFileChoosesSizeThenDepth();
    void cursorFileMadeByIcotool();
    void linkedProgramsGiveFirstGroup_data();
    void linkedProgramsGiveFirstGroup();
    void installerStubsHaveSixteenColourIcons();
    void neProgramIcon();
    void pngEntryHandedBackAsBytes();
    void refusesDamagedInput_data();
    void refusesDamagedInput();
    void resourceTreeLoopEnds();
    void truncationsAndBitFlipsNeverMisbehave();
};

void TestPeIcons::dibDepths_data()
{
    QTest::addColumn<int>("bpp");
    QTest::addColumn<int>("width");
    QTest::newRow("1 bpp, odd width") << 1 << 13;
    QTest::newRow("4 bpp, odd width") << 4 << 7;
    QTest::newRow("8 bpp") << 8 << 32;
    QTest::newRow("16 bpp") << 16 << 5;
    QTest::newRow("24 bpp, padded rows") << 24 << 3;
    QTest::newRow("32 bpp without alpha") << 32 << 32;
}

void TestPeIcons::dibDepths()
{
    QFETCH(int, bpp);
    QFETCH(int, width);
    const int h = 9;
    std::vector<std::uint32_t> palette(Vga.begin(), Vga.begin() + (bpp == 1 ? 2 : 16));
    auto value = [bpp, &palette](int x, int y) -> std::uint32_t {
        if (bpp <= 8)
            return std::uint32_t(x * 3 + y) % palette.size();
        if (bpp == 16)
            return std::uint32_t((x * 5) << 10 | (y * 3) << 5 | 31);
        return std::uint32_t(x * 7) << 16 | std::uint32_t(y * 20) << 8 | 0x11; // alpha 0
    };
    auto masked = [](int x, int y) { return (x * y) % 4 == 1; };
    auto expand5 = [](std::uint32_t c) { return (c << 3) | (c >> 2); };
    auto want = [&](int x, int y) -> std::uint32_t {
        if (masked(x, y))
            return 0;
        const std::uint32_t v = value(x, y);
        if (bpp <= 8)
            return 0xFF000000u | palette[v];
        if (bpp == 16)
            return 0xFF000000u | expand5(v >> 10 & 31) << 16 | expand5(v >> 5 & 31) << 8 | expand5(v & 31);
        return 0xFF000000u | v;
    };
    const auto img = pe::DecodeIconImage(View(Dib(width, h, bpp, palette, value, masked)));
    QVERIFY(img);
    const QString diff = Compare(*img, width, h, want);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestPeIcons::alphaChannelWinsOverMaskUnlessEmpty()
{
    auto value = [](int x, int) { return std::uint32_t(x * 60) << 24 | 0x123456; };
    auto maskAll = [](int, int) { return true; };
    const auto img = pe::DecodeIconImage(View(Dib(4, 2, 32, {}, value, maskAll)));
    QVERIFY(img);
    const QString diff = Compare(*img, 4, 2, value);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    // Without a mask a 32-bit image still has its alpha; other depths need one.
    QVERIFY(pe::DecodeIconImage(View(Dib(4, 2, 32, {}, value, maskAll, false))));
    QVERIFY(!pe::DecodeIconImage(View(Dib(4, 2, 24, {}, value, maskAll, false))));
}

void TestPeIcons::iconFileChoosesSizeThenDepth_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("wantSide");
    QTest::addColumn<int>("wantCorner"); // argb of pixel (31 or 15, 31 or 15)
    const QByteArray all = IconFile({{16, SmallIcon()}, {32, Deep32()}, {32, Shallow32()}});
    QTest::newRow("32: the 16-colour one before a deeper one") << 32 << all << 32 << int(0xFF000000u | Vga[9]);
    const QByteArray eightBit = Dib(32, 32, 8, Vga, [](int, int) { return 12u; }, [](int, int) { return false; });
    QTest::newRow("32 without a 16-colour one: the deepest")
        << 32 << IconFile({{32, eightBit}, {32, Deep32()}, {16, SmallIcon()}}) << 32 << int(DeepWant(31, 31));
    QTest::newRow("16: its own image") << 16 << all << 16 << int(0xFF000000u | Vga[(15 + 15) % 16]);
    const QByteArray big = Dib(48, 48, 24, {}, DeepColour, DeepMasked);
    const QByteArray bigger = Dib(64, 64, 24, {}, DeepColour, DeepMasked);
    QTest::newRow("32 from 16, 64 or 48: the smallest larger")
        << 32 << IconFile({{16, SmallIcon()}, {64, bigger}, {48, big}}) << 48 << int(DeepWant(47, 47));
    const QByteArray small24 = Dib(24, 24, 24, {}, DeepColour, DeepMasked);
    QTest::newRow("32 from 16 or 24: the largest")
        << 32 << IconFile({{24, small24}, {16, SmallIcon()}}) << 24 << int(DeepWant(23, 23));
    QTest::newRow("16 from 32 only") << 16 << IconFile({{32, Shallow32()}}) << 32 << int(0xFF000000u | Vga[9]);
}

void TestPeIcons::iconFileChoosesSizeThenDepth()
{
    QFETCH(int, size);
    QFETCH(QByteArray, file);
    QFETCH(int, wantSide);
    QFETCH(int, wantCorner);
    const auto img = pe::ReadIconFile(View(file), size);
    QVERIFY(img);
    QCOMPARE(img->width, wantSide);
    QCOMPARE(img->height, wantSide);
    QCOMPARE(img->argb.back(), std::uint32_t(wantCorner));
}

void TestPeIcons::cursorFileMadeByIcotool()
{
    if (QStandardPaths::findExecutable("icotool").isEmpty())
        QSKIP("icotool is not installed");
    QTemporaryDir dir;
    QImage png(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            png.setPixel(x, y, x < 8 ? 0 : (0xFF000000u | std::uint32_t(x * 7) << 16 | std::uint32_t(y * 7)));
    QVERIFY(png.save(dir.filePath("c.png")));
    QVERIFY(RunTool("icotool", {"-c", "--cursor", "--hotspot-x=3", "--hotspot-y=4", "-o", "c.cur", "c.png"},
                dir.path()));
    QFile f(dir.filePath("c.cur"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const auto img = pe::ReadIconFile(View(f.readAll()), 32);
    QVERIFY(img);
    const QString diff = Compare(*img, 32, 32, [&png](int x, int y) { return png.pixel(x, y); });
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestPeIcons::linkedProgramsGiveFirstGroup_data()
{
    QTest::addColumn<QString>("arch");
    QTest::newRow("PE32") << "i686";
    QTest::newRow("PE32+") << "x86_64";
}

void TestPeIcons::linkedProgramsGiveFirstGroup()
{
    QFETCH(QString, arch);
    QTemporaryDir dir;
    WriteFile(dir.filePath("first.ico"), IconFile({{16, SmallIcon()}, {32, Shallow32()}, {32, Deep32()}}));
    WriteFile(dir.filePath("second.ico"), IconFile({{32, Shallow32()}}));
    // Listed second but numbered first: the directory sorts by number.
    const QByteArray exe =
        LinkProgram(arch, "7 ICON \"second.ico\"\n3 ICON \"first.ico\"\n", dir.path());
    if (exe.isEmpty())
        QSKIP("the mingw-w64 binutils are not installed");
    const auto large = pe::ReadProgramIcon(View(exe), 32);
    QVERIFY(large);
    QString diff = Compare(*large, 32, 32, [](int, int) { return 0xFF000000u | Vga[9]; });
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    const auto small = pe::ReadProgramIcon(View(exe), 16);
    QVERIFY(small);
    QCOMPARE(small->width, 16);
    QCOMPARE(small->argb[0], 0u); // column 0 is masked
    QCOMPARE(small->argb[17], 0xFF000000u | Vga[2]);
    // An icon file is not a program file, and the other way round.
    QVERIFY(!pe::ReadIconFile(View(exe), 32));
    QVERIFY(!pe::ReadProgramIcon(View(IconFile({{32, Deep32()}})), 32));
}

void TestPeIcons::installerStubsHaveSixteenColourIcons()
{
    const QStringList stubs = QDir("/usr/share/nsis/Stubs").entryList(QDir::Files);
    if (stubs.isEmpty())
        QSKIP("the installer package's stubs are not installed");
    for (const QString& name : stubs) {
        QFile f("/usr/share/nsis/Stubs/" + name);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        if (!bytes.startsWith("MZ"))
            continue; // the folder also holds non-program helper files
        const auto img = pe::ReadProgramIcon(View(bytes), 32);
        QVERIFY2(img, qPrintable(name));
        QCOMPARE(img->width, 32);
        QCOMPARE(img->height, 32);
        std::set<std::uint32_t> opaque;
        int transparent = 0;
        for (std::uint32_t p : img->argb) {
            if (p >> 24 == 0xFF)
                opaque.insert(p);
            transparent += p == 0;
        }
        QVERIFY2(transparent < 1024 && opaque.size() >= 2 && opaque.size() <= 16, qPrintable(name));
    }
}

void TestPeIcons::neProgramIcon()
{
    const auto img = pe::ReadProgramIcon(View(NeProgram({SmallIcon(), Deep32()})), 32);
    QVERIFY(img);
    const QString diff = Compare(*img, 32, 32, DeepWant);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestPeIcons::pngEntryHandedBackAsBytes()
{
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(0x80FF0000u);
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    const auto img = pe::ReadIconFile(View(IconFile({{16, SmallIcon()}, {32, png}})), 32);
    QVERIFY(img);
    QCOMPARE(img->width, 32);
    QVERIFY(img->argb.empty());
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(img->png.data()), qsizetype(img->png.size())), png);
}

void TestPeIcons::refusesDamagedInput_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray good = IconFile({{32, Shallow32()}});
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << good.left(6);
    QByteArray noImages = good;
    noImages[4] = 0;
    QTest::newRow("no images") << noImages;
    QByteArray past = good;
    past[6 + 12] = char(0xF0); // image offset far past the end
    QTest::newRow("offset past the end") << past;
    QByteArray huge = good;
    huge[22 + 4] = char(0x00);
    huge[22 + 5] = char(0x10); // width 4096
    QTest::newRow("absurd width") << huge;
    QByteArray zeroHeight = good;
    zeroHeight[22 + 8] = 1; // DIB height 1: no whole row of colour and mask
    zeroHeight[22 + 9] = 0;
    QTest::newRow("zero rows") << zeroHeight;
    QByteArray rle = good;
    rle[22 + 16] = 2; // run-length compression is not used by icons
    QTest::newRow("compressed") << rle;
    QTest::newRow("truncated rows") << good.left(good.size() - 200);
}

void TestPeIcons::refusesDamagedInput()
{
    QFETCH(QByteArray, file);
    QVERIFY(!pe::ReadIconFile(View(file), 32));
    QVERIFY(!pe::ReadProgramIcon(View(file), 32));
}

void TestPeIcons::resourceTreeLoopEnds()
{
    QTemporaryDir dir;
    WriteFile(dir.filePath("a.ico"), IconFile({{32, Shallow32()}}));
    QByteArray exe = LinkProgram("x86_64", "1 ICON \"a.ico\"\n", dir.path());
    if (exe.isEmpty())
        QSKIP("the mingw-w64 binutils are not installed");
    QVERIFY(pe::ReadProgramIcon(View(exe), 32));
    // Point every subdirectory entry of the resource tree back at the root.
    const int rsrc = exe.indexOf(".rsrc");
    QVERIFY(rsrc > 0);
    const auto raw = qFromLittleEndian<quint32>(exe.constData() + rsrc + 20);
    const int root = int(raw);
    const int entries = qFromLittleEndian<quint16>(exe.constData() + root + 12) +
                        qFromLittleEndian<quint16>(exe.constData() + root + 14);
    QVERIFY(entries > 0);
    for (int i = 0; i < entries; ++i)
        qToLittleEndian<quint32>(0x80000000u, exe.data() + root + 16 + 8 * i + 4);
    QVERIFY(!pe::ReadProgramIcon(View(exe), 32));
}

void TestPeIcons::truncationsAndBitFlipsNeverMisbehave()
{
    QTemporaryDir dir;
    WriteFile(dir.filePath("a.ico"), IconFile({{16, SmallIcon()}, {32, Deep32()}}));
    QByteArray exe = LinkProgram("i686", "1 ICON \"a.ico\"\n", dir.path());
    if (exe.isEmpty())
        exe = NeProgram({SmallIcon(), Deep32()});
    const auto whole = pe::ReadProgramIcon(View(exe), 32);
    QVERIFY(whole);
    int refused = 0;
    for (int len = 0; len < exe.size(); len += 7) {
        const auto img = pe::ReadProgramIcon(View(exe.left(len)), 32);
        QVERIFY2(WellFormed(img), qPrintable(QString::number(len)));
        refused += !img;
    }
    QVERIFY(refused > 0);
    QRandomGenerator rng(1234);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bad = exe;
        for (int k = 0; k < 4; ++k)
            bad[rng.bounded(int(bad.size()))] = char(rng.bounded(256));
        QVERIFY(WellFormed(pe::ReadProgramIcon(View(bad), 32)));
        QVERIFY(WellFormed(pe::ReadProgramIcon(View(bad), 16)));
    }
}

QTEST_GUILESS_MAIN(TestPeIcons)
#include "test_peicons.moc"
