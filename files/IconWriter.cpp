#include "files/IconWriter.h"

#include <array>

#include "core/Transparent.h"

namespace {
// Palette lookup by a perfect hash of the 16 colours into 32 slots: one
// multiplication and one comparison per pixel; a search of the sixteen makes
// writing an icon six times slower.
constexpr std::uint32_t HashMultiplier = 0x6884D953u;
constexpr int Slot(Colour c)
{
    return int((std::uint32_t(c) * HashMultiplier) >> 27);
}

struct PaletteSlot {
    Colour colour;
    std::uint8_t index;
};

constexpr auto PaletteSlots = [] {
    std::array<PaletteSlot, 32> slots{};
    for (PaletteSlot& s : slots)
        s = {OutsideColour, 0};
    for (int i = 0; i < PaletteSize; ++i)
        slots[Slot(PaletteColors[i])] = {PaletteColors[i], std::uint8_t(i)};
    return slots;
}();

constexpr bool EveryColourHasItsOwnSlot()
{
    for (int i = 0; i < PaletteSize; ++i)
        if (PaletteSlots[Slot(PaletteColors[i])].index != i)
            return false;
    return true;
}
static_assert(EveryColourHasItsOwnSlot());

// The palette entry exactly equal to the colour, else black.
std::uint8_t PaletteIndex(Colour c)
{
    const PaletteSlot& s = PaletteSlots[Slot(c)];
    return s.colour == c ? s.index : 0;
}
} // namespace

void WriteIconBitmaps(const Editor& e, std::vector<std::uint8_t>& file)
{
    const std::optional<Colour> transparent = TransparentColor(e);
    const std::size_t start = file.size();
    file.resize(start + IconBitmapBytes + IconMaskBytes, 0);
    std::uint8_t* bitmap = file.data() + start;
    std::uint8_t* mask = bitmap + IconBitmapBytes;

    // A transparent pixel is code 0 (index 0) with mask bit 1.
    auto encode = [&](Colour c, int n) -> int {
        if (transparent && *transparent == c) {
            mask[n / 8] |= std::uint8_t(0x80 >> (n % 8));
            return 0;
        }
        return PaletteIndex(c);
    };
    // File order: bottom row first, left to right; two pixels a byte.
    const Colour* pixels = e.picMini.pixels();
    int n = 0;
    for (int y = ImageSize - 1; y >= 0; --y) {
        const Colour* row = pixels + y * ImageSize;
        for (int x = 0; x < ImageSize; x += 2, n += 2) {
            const int first = encode(row[x], n);
            const int second = encode(row[x + 1], n + 1);
            bitmap[n / 2] = std::uint8_t(FileCode(first) << 4 | FileCode(second));
        }
    }
}

std::vector<std::uint8_t> IconFileBytes(std::span<const std::uint8_t> header, const Editor& e)
{
    std::vector<std::uint8_t> file(header.begin(), header.end());
    WriteIconBitmaps(e, file);
    return file;
}
