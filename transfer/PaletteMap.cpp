#include "transfer/PaletteMap.h"

#include <algorithm>
#include <vector>

#include "core/Palette.h"
#include "transfer/LinearLight.h"

namespace {

bool Transparent(QRgb p) { return qAlpha(p) < 128; }

// The picture as 32-bit pixels with straight alpha, read in place when it is.
QImage Straight(const QImage& picture)
{
    if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32)
        return picture;
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);
}

int ValidIndex(int i) { return i >= 0 && i < PaletteSize ? i : ImageBackIndex; }

// Pictures repeat colours a lot (flat areas, logos); a small cache of the
// last answers saves most searches when no error is diffused.
class NearestCache {
public:
    // Larger pictures get a larger cache (up to 2^16 answers, 320 KB).
    NearestCache(int excluded, qint64 pixels)
        : excluded_(excluded), bits_(pixels > (1 << 20) ? 16 : 10), keys_(std::size_t(1) << bits_, ~0u),
          values_(keys_.size())
    {
    }
    int operator()(QRgb p)
    {
        const std::uint32_t key = p & 0xFFFFFFu;
        const std::size_t slot = (key * 2654435761u) >> (32 - bits_);
        if (keys_[slot] != key) {
            const auto& lin = SrgbToLinearTable();
            keys_[slot] = key;
            values_[slot] = std::uint8_t(
                NearestPaletteIndex({lin[qRed(p)], lin[qGreen(p)], lin[qBlue(p)]}, excluded_));
        }
        return values_[slot];
    }

private:
    int excluded_;
    int bits_;
    std::vector<std::uint32_t> keys_;
    std::vector<std::uint8_t> values_;
};

void MapPlain(const QImage& src, int transparent, Surface& out)
{
    NearestCache nearest(transparent, qint64(src.width()) * src.height());
    const Colour tc = PaletteColors[transparent];
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        Colour* to = out.pixels() + std::size_t(y) * src.width();
        for (int x = 0; x < src.width(); ++x)
            to[x] = Transparent(line[x]) ? tc : PaletteColors[nearest(line[x])];
    }
}

void MapDithered(const QImage& src, int transparent, Surface& out)
{
    const int w = src.width();
    const Colour tc = PaletteColors[transparent];
    const auto& lin = SrgbToLinearTable();
    const auto& pal = PaletteLinear();
    // Error of this row and the next, one spare cell at each end so the
    // neighbours of the edge pixels need no tests.
    std::vector<LinearRgb> cur(std::size_t(w) + 2, LinearRgb{0, 0, 0});
    std::vector<LinearRgb> next(cur);
    const auto spread = [](LinearRgb& to, const LinearRgb& e, float f) {
        to.r += e.r * f;
        to.g += e.g * f;
        to.b += e.b * f;
    };
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        Colour* to = out.pixels() + std::size_t(y) * w;
        const int dir = y % 2 == 0 ? 1 : -1;
        for (int k = 0; k < w; ++k) {
            const int x = dir > 0 ? k : w - 1 - k;
            const QRgb p = line[x];
            if (Transparent(p)) {
                to[x] = tc;
                continue;
            }
            const LinearRgb& e0 = cur[std::size_t(x) + 1];
            const LinearRgb v{std::clamp(lin[qRed(p)] + e0.r, 0.0f, 1.0f),
                              std::clamp(lin[qGreen(p)] + e0.g, 0.0f, 1.0f),
                              std::clamp(lin[qBlue(p)] + e0.b, 0.0f, 1.0f)};
            const int i = NearestPaletteIndex(v, transparent);
            to[x] = PaletteColors[i];
            const LinearRgb e{v.r - pal[i].r, v.g - pal[i].g, v.b - pal[i].b};
            const std::size_t c = std::size_t(x) + 1;
            spread(cur[c + dir], e, 7.0f / 16);
            spread(next[c - dir], e, 3.0f / 16);
            spread(next[c], e, 5.0f / 16);
            spread(next[c + dir], e, 1.0f / 16);
        }
        std::swap(cur, next);
        std::fill(next.begin(), next.end(), LinearRgb{0, 0, 0});
    }
}

} // namespace

int TransparentIndexForPlacing(int menuIndex) { return ValidIndex(menuIndex); }

Surface MapToPalette(const QImage& picture, int transparentIndex, bool dither)
{
    const int t = ValidIndex(transparentIndex);
    const QImage src = Straight(picture);
    if (src.isNull())
        return Surface(1, 1, PaletteColors[t]);
    Surface out(src.width(), src.height(), PaletteColors[t]);
    if (dither)
        MapDithered(src, t, out);
    else
        MapPlain(src, t, out);
    return out;
}

Surface KeepColours(const QImage& picture, int transparentIndex)
{
    const int t = ValidIndex(transparentIndex);
    const QImage src = Straight(picture);
    if (src.isNull())
        return Surface(1, 1, PaletteColors[t]);
    Surface out(src.width(), src.height(), PaletteColors[t]);
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        Colour* to = out.pixels() + std::size_t(y) * src.width();
        for (int x = 0; x < src.width(); ++x)
            to[x] = Transparent(line[x]) ? PaletteColors[t]
                                         : Rgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
    }
    return out;
}
