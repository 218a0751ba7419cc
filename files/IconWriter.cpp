#include "files/IconWriter.h"

#include <array>

#include "core/Transparent.h"

std::uint8_t BinaryToByte(std::string_view bits)
{
    std::uint8_t value = 0;
    for (char c : bits.substr(0, 8))
        value = std::uint8_t(value << 1 | (c == '1'));
    return value;
}

std::uint8_t CodesToByte(int firstIndex, int secondIndex)
{
    // The two 4-character codes joined, the first in front.
    std::array<char, 8> bits{};
    ColorCodes[firstIndex].copy(bits.data(), 4);
    ColorCodes[secondIndex].copy(bits.data() + 4, 4);
    return BinaryToByte(std::string_view(bits.data(), bits.size()));
}

namespace {
// The first palette entry exactly equal to the colour, else black.
int PaletteIndex(Colour c)
{
    for (int i = 0; i < PaletteSize; ++i)
        if (PaletteColors[i] == c)
            return i;
    return 0;
}

// Visits the pixels in file order: bottom row first, left to right.
template <typename Visit>
void InFileOrder(const Surface& image, Visit visit)
{
    for (int y = ImageSize - 1; y >= 0; --y)
        for (int x = 0; x < ImageSize; ++x)
            visit(image.pixel(x, y));
}
} // namespace

void WriteIconBitmaps(const Editor& e, std::vector<std::uint8_t>& file)
{
    const std::optional<Colour> transparent = TransparentColor(e);
    std::array<std::uint8_t, ImageSize * ImageSize> index{};
    std::array<bool, ImageSize * ImageSize> masked{};
    std::size_t n = 0;
    InFileOrder(e.picMini, [&](Colour c) {
        masked[n] = transparent && *transparent == c;
        index[n] = masked[n] ? 0 : std::uint8_t(PaletteIndex(c));
        ++n;
    });

    file.reserve(file.size() + IconBitmapBytes + IconMaskBytes);
    for (std::size_t i = 0; i < index.size(); i += 2)
        file.push_back(CodesToByte(index[i], index[i + 1]));
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
