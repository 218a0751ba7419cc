#include "core/Transform.h"

#include <algorithm>
#include <vector>

void FlipHorizontal(Surface& s)
{
    const int w = s.width();
    Colour* px = s.pixels();
    for (int y = 0; y < s.height(); ++y)
        std::reverse(px + std::size_t(y) * w, px + std::size_t(y + 1) * w);
    s.changed();
}

void FlipVertical(Surface& s)
{
    const int w = s.width();
    Colour* px = s.pixels();
    for (int top = 0, bottom = s.height() - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(px + std::size_t(top) * w, px + std::size_t(top + 1) * w,
                         px + std::size_t(bottom) * w);
    s.changed();
}

namespace {

// A turn moves every pixel, so it reads from a copy rather than cycling
// four pixels at a time; the copy of 32 x 32 colours costs nothing.
template <bool Clockwise>
void Rotate(Surface& s)
{
    const int n = s.width();
    if (n != s.height())
        return;
    const std::vector<Colour> from(s.pixels(), s.pixels() + std::size_t(n) * n);
    Colour* to = s.pixels();
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            // The target's source: clockwise (x, y) came from (y, n - 1 - x).
            const Colour c = Clockwise ? from[std::size_t(n - 1 - x) * n + y]
                                       : from[std::size_t(x) * n + (n - 1 - y)];
            to[std::size_t(y) * n + x] = c;
        }
    s.changed();
}

} // namespace

void RotateRight(Surface& s) { Rotate<true>(s); }
void RotateLeft(Surface& s) { Rotate<false>(s); }
