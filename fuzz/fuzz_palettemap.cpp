// Pictures made palette-true: any bytes the picture decoder accepts, fitted
// to 32 x 32 and mapped (plain or diffused) for every transparent colour,
// with the promises of the mapping checked on each result.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "core/Palette.h"
#include "transfer/FitPicture.h"
#include "transfer/OutsidePalette.h"
#include "transfer/PaletteMap.h"
#include "transfer/PictureDecoder.h"

namespace {

// Every cell a palette colour; transparent pixels the transparent colour,
// the others never.
void Check(const QImage& picture, const Surface& mapped, int transparent)
{
    const QImage src = picture.convertToFormat(QImage::Format_ARGB32);
    if (mapped.width() != src.width() || mapped.height() != src.height())
        __builtin_trap();
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            const Colour c = mapped.pixel(x, y);
            if (!InPalette(c) || (c == PaletteColors[transparent]) != (qAlpha(src.pixel(x, y)) < 128))
                __builtin_trap();
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureGuiApplication();
    if (size == 0)
        return 0;
    // The first byte picks the decoder's hint, the transparent colour and
    // whether errors are diffused.
    static const char* const hints[] = {"", "bmp", "png", "gif", "jpeg", "wmf", "ico"};
    const int hint = data[0] % 7;
    const int transparent = (data[0] / 7) % PaletteSize;
    const bool dither = data[0] / 112 != 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const auto img = DecodePicture(bytes, hints[hint]);
    if (!img)
        return 0;
    const QImage fitted = FitPicture(*img);
    const FitBox box = FitRectangle(img->width(), img->height());
    if (fitted.size() != QSize(ImageSize, ImageSize) || box.width < 1 || box.height < 1 ||
        box.left + box.width > ImageSize || box.top + box.height > ImageSize)
        __builtin_trap();
    Check(fitted, MapToPalette(fitted, transparent, dither), transparent);
    // Whole pictures are mapped too, while small enough to keep runs quick.
    if (qint64(img->width()) * img->height() <= 256 * 256)
        Check(*img, MapToPalette(*img, transparent, dither), transparent);
    return 0;
}
