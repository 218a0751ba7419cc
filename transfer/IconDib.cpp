// One icon image: a DIB (header, palette, colour rows, AND mask) decoded by
// hand, or a PNG stream passed on whole; its size and depth from its first
// bytes for the choice among images.
#include <algorithm>
#include <cstring>

#include "transfer/IconBytes.h"

namespace pe {
namespace {

constexpr std::uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::uint32_t U32Be(Bytes b, std::size_t off)
{
    return std::uint32_t(b[off]) << 24 | std::uint32_t(b[off + 1]) << 16 | std::uint32_t(b[off + 2]) << 8 |
           std::uint32_t(b[off + 3]);
}

struct DibLayout {
    int width, height, bpp;
    std::uint32_t headerSize, colours;
    std::uint64_t xorStride, andStride;
};

std::optional<DibLayout> ReadDibLayout(Bytes d)
{
    const auto size = U32(d, 0);
    const auto w = U32(d, 4);
    const auto h2 = U32(d, 8);
    const auto bpp = U16(d, 14);
    const auto compression = U32(d, 16);
    const auto used = U32(d, 32);
    if (!size || !w || !h2 || !bpp || !compression || !used)
        return std::nullopt;
    // Colour rows and mask are stacked, bottom-up, so the height is doubled.
    const auto width = std::int32_t(*w), height = std::int32_t(*h2) / 2;
    if (*size < 40 || *size > d.size() || width < 1 || width > MaxIconSide || height < 1 ||
        height > MaxIconSide || *compression != 0)
        return std::nullopt;
    if (*bpp != 1 && *bpp != 4 && *bpp != 8 && *bpp != 16 && *bpp != 24 && *bpp != 32)
        return std::nullopt;
    // Deeper images may still carry a colour table; it is skipped.
    std::uint32_t colours = *used;
    if (*bpp <= 8)
        colours = *used == 0 ? 1u << *bpp : std::min<std::uint32_t>(*used, 1u << *bpp);
    else if (*used > 256)
        return std::nullopt;
    return DibLayout{width,
                     height,
                     *bpp,
                     *size,
                     colours,
                     (std::uint64_t(width) * *bpp + 31) / 32 * 4,
                     (std::uint64_t(width) + 31) / 32 * 4};
}

std::uint32_t Argb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return std::uint32_t(a) << 24 | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b;
}

// The colour of pixel x of one colour row, opaque.
std::uint32_t RowPixel(const DibLayout& l, Bytes palette, const std::uint8_t* row, int x)
{
    switch (l.bpp) {
    case 32:
        return Argb(row[4 * x + 3], row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    case 24:
        return Argb(255, row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case 16: {
        const unsigned v = row[2 * x] | row[2 * x + 1] << 8;
        auto five = [](unsigned c) { return std::uint8_t((c << 3) | (c >> 2)); };
        return Argb(255, five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31));
    }
    default: {
        const int perByte = 8 / l.bpp;
        const unsigned byte = row[x / perByte];
        const int shift = 8 - l.bpp * (x % perByte + 1);
        const unsigned index = (byte >> shift) & ((1u << l.bpp) - 1);
        if (index >= l.colours)
            return Argb(255, 0, 0, 0); // outside the palette: black, harmless
        const std::uint8_t* q = palette.data() + 4 * index;
        return Argb(255, q[2], q[1], q[0]);
    }
    }
}

} // namespace

bool IsPng(Bytes d)
{
    return d.size() >= 8 && std::memcmp(d.data(), PngSignature, 8) == 0;
}

std::optional<Probe> ProbeImage(Bytes d)
{
    if (IsPng(d)) {
        if (d.size() < 24 || std::memcmp(d.data() + 12, "IHDR", 4) != 0)
            return std::nullopt;
        const std::uint32_t w = U32Be(d, 16), h = U32Be(d, 20);
        if (w < 1 || w > MaxIconSide || h < 1 || h > MaxIconSide)
            return std::nullopt;
        return Probe{int(w), int(h), 32};
    }
    const auto layout = ReadDibLayout(d);
    if (!layout)
        return std::nullopt;
    return Probe{layout->width, layout->height, layout->bpp};
}

std::optional<IconImage> DecodeIconDib(Bytes d)
{
    const auto l = ReadDibLayout(d);
    if (!l)
        return std::nullopt;
    const auto palette = Slice(d, l->headerSize, 4ull * l->colours);
    const std::uint64_t xorAt = l->headerSize + 4ull * l->colours;
    const auto colourRows = Slice(d, xorAt, l->xorStride * l->height);
    if (!palette || !colourRows)
        return std::nullopt;
    // Icons without the mask exist only with an alpha channel to stand in for it.
    const auto mask = Slice(d, xorAt + l->xorStride * l->height, l->andStride * l->height);
    if (!mask && l->bpp != 32)
        return std::nullopt;

    IconImage img;
    img.width = l->width;
    img.height = l->height;
    img.argb.resize(std::size_t(l->width) * l->height);
    bool anyAlpha = false;
    for (int y = 0; y < l->height; ++y) {
        const std::uint8_t* row = colourRows->data() + l->xorStride * (l->height - 1 - y);
        for (int x = 0; x < l->width; ++x) {
            const std::uint32_t p = RowPixel(*l, *palette, row, x);
            anyAlpha |= (p >> 24) != 0;
            img.argb[std::size_t(y) * l->width + x] = p;
        }
    }
    // Without an alpha channel the AND mask decides; a masked pixel that would
    // invert the screen cannot be shown on an image, so it is transparent too.
    const bool useMask = l->bpp != 32 || !anyAlpha;
    if (useMask) {
        for (int y = 0; y < l->height; ++y) {
            const std::uint8_t* row = mask ? mask->data() + l->andStride * (l->height - 1 - y) : nullptr;
            for (int x = 0; x < l->width; ++x) {
                const bool transparent = row && (row[x / 8] >> (7 - x % 8) & 1);
                std::uint32_t& p = img.argb[std::size_t(y) * l->width + x];
                p = transparent ? 0 : (p | 0xFF000000u);
            }
        }
    }
    return img;
}

std::optional<IconImage> DecodeIconImage(Bytes data)
{
    if (!IsPng(data))
        return DecodeIconDib(data);
    const auto probe = ProbeImage(data);
    if (!probe)
        return std::nullopt;
    IconImage img;
    img.width = probe->width;
    img.height = probe->height;
    img.png.assign(data.begin(), data.end());
    return img;
}

} // namespace pe
