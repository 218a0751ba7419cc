// Test files made by the tests themselves: icon DIBs and icon files,
// program files linked from a resource script, GIF pictures.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

void Put16(QByteArray& b, int v);
void Put32(QByteArray& b, std::uint32_t v);

// An icon DIB as stored in files: header, palette, bottom-up colour rows,
// AND mask. `value` gives a palette index (bpp <= 8), a 5-5-5 word (16) or
// 0xAARRGGBB (24, 32).
QByteArray Dib(int w, int h, int bpp, const std::vector<std::uint32_t>& palette,
               const std::function<std::uint32_t(int, int)>& value, const std::function<bool(int, int)>& masked,
               bool withMask = true);

struct IconEntry {
    int side;
    QByteArray data;
};
// An .ico (type 1) or .cur (type 2) file holding the given images.
QByteArray IconFile(const std::vector<IconEntry>& entries, int type = 1);

// Runs a program in `dir`; true when it ends normally with status 0.
bool RunTool(const QString& program, const QStringList& args, const QString& dir);

// Links a program file from a resource script, 32-bit ("i686") or 64-bit
// ("x86_64"). Empty when the tools are missing or fail.
QByteArray LinkProgram(const QString& arch, const QString& rc, const QString& dir);

// A GIF of up to 256 colours; pixels of colour `transparent` (if given)
// are marked transparent. The announced screen size may differ from the
// image (for pictures that claim to be huge).
QByteArray GifFile(const QImage& image, std::optional<QRgb> transparent = std::nullopt, QSize screen = {});

// A placeable metafile 40 x 20: a red rectangle with a black outline from
// (4, 2) to (30, 10), nothing (transparent) elsewhere.
QByteArray RectangleMetafile();

bool WriteBytes(const QString& path, const QByteArray& data);
