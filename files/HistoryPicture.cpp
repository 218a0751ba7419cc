#include "files/HistoryPicture.h"

#include <algorithm>

// Layout: a format byte (1), the number n of distinct colours (2 bytes, little
// endian, 1..1024), the n colours (4 bytes each, little endian, ascending), then
// each pixel's index into the table in b bits (the fewest that hold n - 1),
// least significant bit first, padded to a whole byte.
namespace {
constexpr std::uint8_t Format = 1;
constexpr std::size_t HeaderSize = 3;

int BitsFor(std::size_t count)
{
    int bits = 0;
    while ((std::size_t(1) << bits) < count)
        ++bits;
    return bits;
}

std::size_t EncodedSize(std::size_t count)
{
    return HeaderSize + 4 * count + (std::size_t(BitsFor(count)) * HistoryPixels + 7) / 8;
}
} // namespace

std::vector<std::uint8_t> EncodeHistoryPicture(const HistoryImage& image)
{
    std::vector<std::uint32_t> table(HistoryPixels);
    std::transform(image.begin(), image.end(), table.begin(),
                   [](Colour c) { return std::uint32_t(c); });
    std::sort(table.begin(), table.end());
    table.erase(std::unique(table.begin(), table.end()), table.end());

    std::vector<std::uint8_t> out(EncodedSize(table.size()), 0);
    out[0] = Format;
    out[1] = std::uint8_t(table.size());
    out[2] = std::uint8_t(table.size() >> 8);
    std::size_t at = HeaderSize;
    for (std::uint32_t c : table)
        for (int shift = 0; shift < 32; shift += 8)
            out[at++] = std::uint8_t(c >> shift);

    const int bits = BitsFor(table.size());
    std::size_t bit = at * 8;
    for (Colour c : image) {
        const auto index = std::size_t(
            std::lower_bound(table.begin(), table.end(), std::uint32_t(c)) - table.begin());
        for (int b = 0; b < bits; ++b, ++bit)
            if (index >> b & 1)
                out[bit / 8] |= std::uint8_t(1u << (bit % 8));
    }
    return out;
}

bool DecodeHistoryPicture(const std::uint8_t* bytes, std::size_t size, HistoryImage& image)
{
    if (size < HeaderSize || bytes[0] != Format)
        return false;
    const std::size_t count = bytes[1] | std::size_t(bytes[2]) << 8;
    if (count < 1 || count > HistoryPixels || size != EncodedSize(count))
        return false;
    std::vector<Colour> table(count);
    std::size_t at = HeaderSize;
    for (Colour& c : table) {
        std::uint32_t v = 0;
        for (int shift = 0; shift < 32; shift += 8)
            v |= std::uint32_t(bytes[at++]) << shift;
        c = Colour{v};
    }
    const int bits = BitsFor(count);
    HistoryImage decoded;
    std::size_t bit = at * 8;
    for (Colour& c : decoded) {
        std::size_t index = 0;
        for (int b = 0; b < bits; ++b, ++bit)
            index |= std::size_t(bytes[bit / 8] >> (bit % 8) & 1) << b;
        if (index >= count)
            return false;
        c = table[index];
    }
    image = decoded;
    return true;
}

HistoryImage HistoryImageOf(const Surface& image)
{
    HistoryImage picture;
    for (int y = 0; y < HistorySide; ++y)
        for (int x = 0; x < HistorySide; ++x)
            picture[std::size_t(y * HistorySide + x)] = image.pixel(x, y);
    return picture;
}

void PutHistoryImage(const HistoryImage& picture, Surface& image)
{
    if (image.width() != HistorySide || image.height() != HistorySide)
        return;
    for (int y = 0; y < HistorySide; ++y)
        for (int x = 0; x < HistorySide; ++x)
            image.pixels()[std::size_t(y * HistorySide + x)] = picture[std::size_t(y * HistorySide + x)];
}
