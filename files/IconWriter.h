// The icon file writer's codec: the image as the 640 bytes that follow the
// copied header.dat (a 4-bit colour bitmap, then a 1-bit mask), bottom row
// first. Bytes out, no files: the command handlers do the I/O.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/Editor.h"

inline constexpr int IconBitmapBytes = ImageSize * ImageSize / 2;
inline constexpr int IconMaskBytes = ImageSize * ImageSize / 8;

// Eight characters "0"/"1" read in base 2, the first the most significant.
constexpr std::uint8_t BinaryToByte(std::string_view bits)
{
    std::uint8_t value = 0;
    for (char c : bits.substr(0, 8))
        value = std::uint8_t(value << 1 | (c == '1'));
    return value;
}

// The codes of two palette indices in one byte, the first in the high nibble:
// the two 4-character codes joined, the first in front.
constexpr std::uint8_t CodesToByte(int firstIndex, int secondIndex)
{
    char bits[8]{};
    ColorCodes[firstIndex].copy(bits, 4);
    ColorCodes[secondIndex].copy(bits + 4, 4);
    return BinaryToByte(std::string_view(bits, 8));
}
// Appends the colour bitmap and the mask of the image to `file`. Exact
// palette matches only (anything else is written as black); pixels of the
// transparent colour are written as code 0 with mask bit 1.
void WriteIconBitmaps(const Editor& e, std::vector<std::uint8_t>& file);
// The whole file: header.dat's bytes as they are, then the bitmaps.
std::vector<std::uint8_t> IconFileBytes(std::span<const std::uint8_t> header, const Editor& e);
