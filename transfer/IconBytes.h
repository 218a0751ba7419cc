// Shared by the icon reader's files: bounds-checked little-endian reads
// (every read states where it may fail), an icon image's size and depth
// from its first bytes, and the choice among the images of one group.
#pragma once
#include <optional>
#include <vector>

#include "transfer/PeIcons.h"

namespace pe {

inline bool Fits(Bytes b, std::uint64_t off, std::uint64_t len)
{
    return off <= b.size() && len <= b.size() - off;
}

inline std::optional<std::uint16_t> U16(Bytes b, std::uint64_t off)
{
    if (!Fits(b, off, 2))
        return std::nullopt;
    return std::uint16_t(b[off] | b[off + 1] << 8);
}

inline std::optional<std::uint32_t> U32(Bytes b, std::uint64_t off)
{
    if (!Fits(b, off, 4))
        return std::nullopt;
    return std::uint32_t(b[off]) | std::uint32_t(b[off + 1]) << 8 | std::uint32_t(b[off + 2]) << 16 |
           std::uint32_t(b[off + 3]) << 24;
}

inline std::optional<Bytes> Slice(Bytes b, std::uint64_t off, std::uint64_t len)
{
    if (!Fits(b, off, len))
        return std::nullopt;
    return b.subspan(off, len);
}

struct Probe {
    int width;
    int height;
    int depth;
};

// The size and colour depth of an icon image (a DIB or a PNG stream), or
// nothing for one the reader would refuse.
std::optional<Probe> ProbeImage(Bytes d);

// The colour rows, palette and AND mask of an icon's DIB, as pixels.
std::optional<IconImage> DecodeIconDib(Bytes d);

bool IsPng(Bytes d);

struct Candidate {
    Bytes data;
    Probe probe;
};

// Adds the image when there is one and its first bytes make sense.
void AddCandidate(std::vector<Candidate>& out, std::optional<Bytes> data);

// The image of exactly `size`, else the smallest larger, else the largest.
std::optional<IconImage> Choose(const std::vector<Candidate>& cands, int size);

// A group directory (also the start of an icon file): reserved 0, type,
// count, and room for `count` entries of `entrySize` bytes.
std::optional<std::uint16_t> GroupCount(Bytes group, std::uint16_t type, std::uint64_t entrySize);

} // namespace pe
