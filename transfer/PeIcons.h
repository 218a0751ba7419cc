// Icons inside Windows program files (PE32, PE32+ and the older NE format)
// and icon/cursor files, read from bytes without any library: every offset,
// size and count is checked against the data, and anything odd is refused.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pe {

using Bytes = std::span<const std::uint8_t>;

// One decoded icon image. A DIB entry comes back as pixels, 0xAARRGGBB with
// straight alpha, top row first; a PNG-compressed entry comes back as its
// bytes (pixels empty) for a picture decoder to read.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
    std::vector<std::uint8_t> png;
};

// Limits that keep hostile files cheap.
inline constexpr int MaxIconSide = 256;
inline constexpr int MaxGroupEntries = 256;
inline constexpr int MaxDirectoryEntries = 4096;
inline constexpr int MaxSections = 96;

// The icon the desktop shows for a program file: the first icon group in
// resource-directory order; of its entries the one of `size` x `size` (4-bit
// first, then the deepest), else the smallest larger one, else the largest
// (the caller scales it).
std::optional<IconImage> ReadProgramIcon(Bytes file, int size);

// The same choice among the images of an .ico or .cur file.
std::optional<IconImage> ReadIconFile(Bytes file, int size);

// One icon image as stored in a resource or an icon file: a DIB (header,
// palette, colour rows, AND mask) or a PNG stream.
std::optional<IconImage> DecodeIconImage(Bytes data);

} // namespace pe
