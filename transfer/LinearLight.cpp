#include "transfer/LinearLight.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

// The cube root of 0..1 (inputs are sums of linear light), fast: a bit-level
// first guess within a few per cent, then two Halley steps, each of which
// triples the correct digits, to well below float precision. std::cbrt took
// most of the time of mapping a whole photo.
float CubeRoot(float x)
{
    if (!(x > 0))
        return 0;
    const double d = x;
    double y = std::bit_cast<float>(std::bit_cast<std::uint32_t>(x) / 3 + 709921077u);
    for (int i = 0; i < 2; ++i) {
        const double y3 = y * y * y;
        y *= (y3 + 2 * d) / (2 * y3 + d);
    }
    return float(y);
}

struct Lab {
    float l, a, b;
};

Lab ToOkLab(LinearRgb c)
{
    const float l = CubeRoot(0.4122214708f * c.r + 0.5363325363f * c.g + 0.0514459929f * c.b);
    const float m = CubeRoot(0.2119034982f * c.r + 0.6806995451f * c.g + 0.1073969566f * c.b);
    const float s = CubeRoot(0.0883024619f * c.r + 0.2817188376f * c.g + 0.6299787005f * c.b);
    return {0.2104542553f * l + 0.7936177850f * m - 0.0040720468f * s,
            1.9779984951f * l - 2.4285922050f * m + 0.4505937099f * s,
            0.0259040371f * l + 0.7827717662f * m - 0.8086757660f * s};
}

// The palette in OKLab as three rows, so the sixteen distances are computed
// side by side.
struct PaletteLab {
    std::array<float, PaletteSize> l, a, b;
};

const PaletteLab& PaletteOkLab()
{
    static const PaletteLab lab = [] {
        PaletteLab t;
        for (int i = 0; i < PaletteSize; ++i) {
            const Lab c = ToOkLab(PaletteLinear()[i]);
            t.l[i] = c.l;
            t.a[i] = c.a;
            t.b[i] = c.b;
        }
        return t;
    }();
    return lab;
}

} // namespace

const std::array<float, 256>& SrgbToLinearTable()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t;
        for (int i = 0; i < 256; ++i) {
            const double v = i / 255.0;
            t[i] = float(v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    return table;
}

std::uint8_t LinearToSrgb(double v)
{
    if (!(v > 0)) // NaN too
        return 0;
    if (v >= 1)
        return 255;
    const double s = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
    return std::uint8_t(std::lround(s * 255));
}

const std::array<LinearRgb, PaletteSize>& PaletteLinear()
{
    static const std::array<LinearRgb, PaletteSize> table = [] {
        std::array<LinearRgb, PaletteSize> t;
        for (int i = 0; i < PaletteSize; ++i) {
            const Colour c = PaletteColors[i];
            t[i] = {SrgbToLinear(Red(c)), SrgbToLinear(Green(c)), SrgbToLinear(Blue(c))};
        }
        return t;
    }();
    return table;
}

int NearestPaletteIndex(LinearRgb c, int excluded)
{
    const Lab p = ToOkLab(c);
    const PaletteLab& lab = PaletteOkLab();
    std::array<float, PaletteSize> d;
    for (int i = 0; i < PaletteSize; ++i) {
        const float dl = lab.l[i] - p.l;
        const float da = lab.a[i] - p.a;
        const float db = lab.b[i] - p.b;
        d[i] = dl * dl + da * da + db * db;
    }
    std::array<int, PaletteSize> idx;
    for (int i = 0; i < PaletteSize; ++i)
        idx[i] = i;
    if (excluded >= 0 && excluded < PaletteSize)
        d[excluded] = std::numeric_limits<float>::infinity();
    // A knockout of neighbours rather than one running minimum: four rounds
    // of independent comparisons instead of a chain of fifteen. The left of a
    // pair always holds the lower indices, so it wins ties.
    for (int n = PaletteSize; n > 1; n /= 2)
        for (int k = 0; k < n / 2; ++k) {
            const bool right = d[2 * k + 1] < d[2 * k];
            d[k] = right ? d[2 * k + 1] : d[2 * k];
            idx[k] = right ? idx[2 * k + 1] : idx[2 * k];
        }
    return idx[0];
}
