// The icon reader on arbitrary bytes: the acceptance test, then decoding and
// loading into the image. The input is also tried with the header and length
// forced right, so that the decoder meets every kind of content. Never a
// crash; what is loaded is made only of the file's colours or the
// transparent colour.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/Procedury.h"
#include "core/Transparent.h"
#include "files/IconReader.h"

namespace {
void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void DecodeAndLoad(const std::vector<std::uint8_t>& file, int transparentIndex)
{
    // One editor for the whole run: building one per input would cost more
    // than the decoding under test.
    static Editor e;
    e.pic.resize(19, 19);
    e.TransparentIndex = transparentIndex;
    const bool accepted = IsValidIconFile(file);
    Check(DecodeIcon(file, e.pic) == accepted);
    if (!accepted) {
        Check(e.pic.width() == 19 && e.pic.height() == 19);
        return;
    }
    LoadIconPixels(e);
    const std::optional<Colour> transparent = TransparentColor(e);
    std::array<Colour, PaletteSize> table{};
    for (int k = 0; k < PaletteSize; ++k) {
        const std::uint8_t* entry = file.data() + 62 + 4 * k;
        table[k] = Rgb(entry[2], entry[1], entry[0]);
    }
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x) {
            const Colour c = e.picMini.pixel(x, y);
            const bool fromTable = std::find(table.begin(), table.end(), c) != table.end();
            Check(fromTable || c == transparent || c == PaletteColors[StagingBackIndex]);
        }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int transparentIndex = size > 0 ? data[size - 1] % 18 : ImageBackIndex;
    const std::vector<std::uint8_t> raw(data, data + size);
    DecodeAndLoad(raw, transparentIndex == PaletteSize ? NoTransparentIndex : transparentIndex);

    std::vector<std::uint8_t> forced(IconFileSize, 0);
    std::copy(data, data + std::min(size, IconFileSize), forced.begin());
    std::copy(IconHeader.begin(), IconHeader.end(), forced.begin());
    DecodeAndLoad(forced, transparentIndex == PaletteSize ? NoTransparentIndex : transparentIndex);
    return 0;
}
