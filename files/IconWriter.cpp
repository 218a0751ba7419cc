#include "files/IconWriter.h"

#include <array>

#include "core/Transparent.h"

namespace {
// The first palette entry exactly equal to the colour, else black.
int PaletteIndex(Colour c)
{
    for (int i = 0; i < PaletteSize; ++i)
        if (PaletteColors[i] == c)
            return i;
    return 0;
}

// Every pair of indices worked out once, at compile time.
constexpr auto PairBytes = [] {
    std::array<std::uint8_t, PaletteSize * PaletteSize> table{};
    for (int first = 0; first < PaletteSize; ++first)
        for (int second = 0; second < PaletteSize; ++second)
            table[first * PaletteSize + second] = CodesToByte(first, second);
    return table;
}();

// Visits the pixels in file order: bottom row first, left to right.
template <typename Visit>
void InFileOrder(const Surface& image, Visit visit)
{
    const Colour* pixels = image.pixels();
    for (int y = ImageSize - 1; y >= 0; --y)
        for (int x = 0; x < ImageSize; ++x)
            visit(pixels[y * ImageSize + x]);
}
} // namespace

void WriteIconBitmaps(const Editor& e, std::vector<std::uint8_t>& file)
{
    const std::optional<Colour> transparent = TransparentColor(e);
    std::array<std::uint8_t, ImageSize * ImageSize> index{};
    std::array<bool, ImageSize * ImageSize> masked{};
    std::size_t n = 0;
    // Neighbouring pixels mostly share a colour: remember the last match.
    Colour last = PaletteColors[0];
    int lastIndex = 0;
    InFileOrder(e.picMini, [&](Colour c) {
        masked[n] = transparent && *transparent == c;
        if (c != last) {
            last = c;
            lastIndex = PaletteIndex(c);
        }
        index[n] = masked[n] ? 0 : std::uint8_t(lastIndex);
        ++n;
    });

    file.reserve(file.size() + IconBitmapBytes + IconMaskBytes);
    for (std::size_t i = 0; i < index.size(); i += 2)
        file.push_back(PairBytes[index[i] * PaletteSize + index[i + 1]]);
    for (std::size_t i = 0; i < masked.size(); i += 8) {
        std::uint8_t byte = 0;
        for (std::size_t b = 0; b < 8; ++b)
            byte = std::uint8_t(byte << 1 | masked[i + b]);
        file.push_back(byte);
    }
}

std::vector<std::uint8_t> IconFileBytes(std::span<const std::uint8_t> header, const Editor& e)
{
    std::vector<std::uint8_t> file(header.begin(), header.end());
    WriteIconBitmaps(e, file);
    return file;
}
