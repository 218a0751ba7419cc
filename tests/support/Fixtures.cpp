#include "support/Fixtures.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <initializer_list>

void Put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
}

void Put32(QByteArray& b, std::uint32_t v)
{
    Put16(b, int(v & 0xFFFF));
    Put16(b, int(v >> 16));
}

QByteArray Dib(int w, int h, int bpp, const std::vector<std::uint32_t>& palette,
               const std::function<std::uint32_t(int, int)>& value, const std::function<bool(int, int)>& masked,
               bool withMask)
{
    QByteArray b;
    Put32(b, 40);
    Put32(b, std::uint32_t(w));
    Put32(b, std::uint32_t(2 * h));
    Put16(b, 1);
    Put16(b, bpp);
    for (int i = 0; i < 4; ++i)
        Put32(b, 0);
    Put32(b, std::uint32_t(palette.size()));
    Put32(b, 0);
    for (std::uint32_t c : palette)
        Put32(b, c & 0xFFFFFF); // B, G, R, 0
    const int stride = (w * bpp + 31) / 32 * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, 0);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = value(x, y);
            if (bpp <= 8) {
                const int perByte = 8 / bpp;
                row[x / perByte] = char(row[x / perByte] | v << (8 - bpp * (x % perByte + 1)));
            } else {
                for (int k = 0; k < bpp / 8; ++k)
                    row[x * (bpp / 8) + k] = char(v >> (8 * k));
            }
        }
        b += row;
    }
    if (withMask) {
        const int maskStride = (w + 31) / 32 * 4;
        for (int y = h - 1; y >= 0; --y) {
            QByteArray row(maskStride, 0);
            for (int x = 0; x < w; ++x)
                if (masked(x, y))
                    row[x / 8] = char(row[x / 8] | 0x80 >> (x % 8));
            b += row;
        }
    }
    return b;
}

QByteArray IconFile(const std::vector<IconEntry>& entries, int type)
{
    QByteArray b;
    Put16(b, 0);
    Put16(b, type);
    Put16(b, int(entries.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(entries.size());
    for (const IconEntry& e : entries) {
        b.append(char(e.side & 0xFF)).append(char(e.side & 0xFF)).append('\0').append('\0');
        Put16(b, 1);
        Put16(b, 0);
        Put32(b, std::uint32_t(e.data.size()));
        Put32(b, offset);
        offset += std::uint32_t(e.data.size());
    }
    for (const IconEntry& e : entries)
        b += e.data;
    return b;
}

bool RunTool(const QString& program, const QStringList& args, const QString& dir)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool WriteBytes(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray LinkProgram(const QString& arch, const QString& rc, const QString& dir)
{
    const QString prefix = arch + "-w64-mingw32-";
    if (QStandardPaths::findExecutable(prefix + "windres").isEmpty())
        return {};
    if (!WriteBytes(dir + "/t.rc", rc.toUtf8()) ||
        !WriteBytes(dir + "/start.s", ".globl start\nstart: xor %eax,%eax\nret\n"))
        return {};
    const bool ok = RunTool(prefix + "windres",
                            {"--preprocessor=cpp", "--preprocessor-arg=-xc", "--preprocessor-arg=-DRC_INVOKED",
                             "-i", "t.rc", "-O", "coff", "-o", "res.o"},
                            dir) &&
                    RunTool(prefix + "as", {"start.s", "-o", "start.o"}, dir) &&
                    RunTool(prefix + "ld", {"--no-insert-timestamp", "--subsystem", "windows", "--entry", "start",
                                            "-o", "t.exe", "start.o", "res.o"},
                            dir);
    QFile exe(dir + "/t.exe");
    return ok && exe.open(QIODevice::ReadOnly) ? exe.readAll() : QByteArray();
}

QByteArray GifFile(const QImage& image, std::optional<QRgb> transparent, QSize screen)
{
    QList<QRgb> colours;
    std::vector<int> indices;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) | 0xFF000000u;
            qsizetype i = colours.indexOf(c);
            if (i < 0) {
                i = colours.size();
                colours << c;
            }
            indices.push_back(int(i));
        }
    colours.resize(256, 0xFF000000u);
    if (!screen.isValid())
        screen = image.size();
    QByteArray b("GIF89a");
    Put16(b, screen.width());
    Put16(b, screen.height());
    b.append(char(0xF7)).append('\0').append('\0'); // a global table of 256 colours
    for (QRgb c : colours)
        b.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    if (transparent) {
        b.append("\x21\xF9\x04\x01", 4);
        Put16(b, 0);
        b.append(char(colours.indexOf(*transparent | 0xFF000000u))).append('\0');
    }
    b.append(char(0x2C));
    Put16(b, 0);
    Put16(b, 0);
    Put16(b, image.width());
    Put16(b, image.height());
    b.append('\0').append(char(8));
    // Every pixel a literal 9-bit code, with a clear code often enough that
    // the code width never grows.
    QByteArray lzw;
    std::uint32_t bits = 0;
    int count = 0;
    auto putCode = [&](int code) {
        bits |= std::uint32_t(code) << count;
        count += 9;
        while (count >= 8) {
            lzw.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % 250 == 0)
            putCode(256);
        putCode(indices[i]);
    }
    putCode(257);
    if (count > 0)
        lzw.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < lzw.size(); at += 255) {
        const QByteArray block = lzw.mid(at, 255);
        b.append(char(block.size())).append(block);
    }
    b.append('\0').append(char(0x3B));
    return b;
}

// A placeable metafile 40 x 20: a red rectangle with a black outline on
// nothing (transparent).
QByteArray RectangleMetafile()
{
    QByteArray body;
    auto rec = [&body](int f, std::initializer_list<int> words) {
        Put32(body, quint32(3 + words.size()));
        Put16(body, f);
        for (int w : words)
            Put16(body, w);
    };
    rec(0x02FA, {0, 0, 0, 0, 0});    // black pen
    rec(0x02FC, {0, 0x00FF, 0, 0}); // red brush
    rec(0x012D, {0});
    rec(0x012D, {1});
    rec(0x041B, {10, 30, 2, 4}); // (4, 2) to (30, 10)
    QByteArray b;
    Put32(b, 0x9AC6CDD7);
    Put16(b, 0);
    for (int v : {0, 0, 40, 20, 96})
        Put16(b, v);
    Put32(b, 0);
    Put16(b, 0);
    for (int v : {1, 9, 0x300})
        Put16(b, v);
    Put32(b, quint32(9 + body.size() / 2 + 3));
    Put16(b, 2);
    Put32(b, 0);
    Put16(b, 0);
    b += body;
    Put32(b, 3);
    Put16(b, 0);
    return b;
}
