// Pasted and imported pictures: bytes under each hint the clipboard and the
// file import give, through our size and completeness checks and Qt's
// readers, then placed on the staging surface as the commands place them.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "transfer/PictureDecoder.h"
#include "qt/QtColour.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureGuiApplication();
    if (size == 0)
        return 0;
    // The first byte picks the hint, as a clipboard type or a file suffix would.
    static const char* const hints[] = {"", "bmp", "png", "gif", "jpeg", "wmf", "ico"};
    const char* hint = hints[data[0] % (sizeof hints / sizeof *hints)];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (const auto img = DecodePicture(bytes, hint)) {
        if (img->width() < 1 || img->height() < 1 || img->width() > MaxPictureSide ||
            img->height() > MaxPictureSide)
            __builtin_trap();
        Surface pic(19, 19, Rgb(191, 191, 191));
        pic.assign(SurfaceFromImage(*img, pic.backColour()), true);
    }
    return 0;
}
