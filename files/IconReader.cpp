#include "files/IconReader.h"

#include <algorithm>
#include <array>

#include "core/Palette.h"
#include "core/Transparent.h"

namespace {
constexpr std::size_t ColourTableOffset = 62;
constexpr std::size_t BitmapOffset = 126;
constexpr std::size_t MaskOffset = BitmapOffset + ImageSize * ImageSize / 2;
} // namespace

bool IsValidIconFile(std::span<const std::uint8_t> file)
{
    return file.size() == IconFileSize && std::equal(IconHeader.begin(), IconHeader.end(), file.begin());
}

bool DecodeIcon(std::span<const std::uint8_t> file, Surface& pic)
{
    if (!IsValidIconFile(file))
        return false;
    std::array<Colour, PaletteSize> table{};
    for (std::size_t k = 0; k < table.size(); ++k) {
        const std::uint8_t* entry = file.data() + ColourTableOffset + 4 * k; // blue, green, red, 0
        table[k] = Rgb(entry[2], entry[1], entry[0]);
    }

    pic.resize(ImageSize, ImageSize); // cleared to the back colour
    Colour* out = pic.pixels();
    const Colour back = pic.backColour();
    for (int n = 0; n < ImageSize * ImageSize; ++n) {
        // File order: bottom row first, left to right.
        const int x = n % ImageSize;
        const int y = ImageSize - 1 - n / ImageSize;
        const bool transparent = file[MaskOffset + n / 8] >> (7 - n % 8) & 1;
        const std::uint8_t pair = file[BitmapOffset + n / 2];
        const int code = n % 2 == 0 ? pair >> 4 : pair & 0x0F;
        out[y * ImageSize + x] = transparent ? back : table[code];
    }
    pic.changed();
    return true;
}

void LoadIconPixels(Editor& e)
{
    const std::optional<Colour> transparent = TransparentColor(e);
    const Colour back = e.frmtmpBackColour;
    ImageChange change(e.picMini, ChangeCause::Open);
    Colour* image = e.picMini.pixels();
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x) {
            // A staging surface smaller than the icon shows its back colour there.
            const Colour c = e.pic.contains(x, y) ? e.pic.pixel(x, y) : back;
            image[y * ImageSize + x] = c == back && transparent ? *transparent : c;
        }
    e.picMini.changed();
}
