// Pasted text as the placement window draws it: any bytes as UTF-8, cut to
// the first 10 characters as paste cuts them (whole code points), in any
// size and style of the menus. Every drawn pixel must be black or the
// window's grey, on a surface of at least 32 x 32.
#include <cstddef>
#include <cstdint>

#include <QString>

#include "FuzzSupport.h"
#include "core/Palette.h"
#include "text/TextRender.h"
#include "transfer/ClipboardData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureGuiApplication();
    if (size < 1)
        return 0;
    static const int sizes[] = {8, 10, 12, 14, 16, 18, 20, 24, 36};
    QFont font = InitialTextFont();
    font.setPointSize(sizes[data[0] % 9]);
    font.setBold(data[0] & 0x10);
    font.setItalic(data[0] & 0x20);
    font.setUnderline(data[0] & 0x40);
    const QString text =
        FirstCharacters(QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));

    const Colour grey = PaletteColors[15];
    const Surface s = RenderText(text, font, grey);
    const QSize measured = TextSize(text, font);
    if (s.width() < 32 || s.height() < 32 || s.width() != measured.width() ||
        s.height() != measured.height())
        __builtin_trap();
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) != grey && s.pixel(x, y) != PaletteColors[0])
                __builtin_trap();
    return 0;
}
