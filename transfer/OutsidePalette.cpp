#include "transfer/OutsidePalette.h"

#include <algorithm>

#include "core/Palette.h"

bool InPalette(Colour c)
{
    return std::find(PaletteColors.begin(), PaletteColors.end(), c) != PaletteColors.end();
}

int CountOutsidePalette(const Surface& s, int left, int top, int width, int height)
{
    if (width < 1 || height < 1)
        return 0;
    const bool backOutside = !InPalette(s.backColour());
    int count = 0;
    for (long long y = top; y < (long long)top + height; ++y)
        for (long long x = left; x < (long long)left + width; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < s.width() && y < s.height();
            count += inside ? !InPalette(s.pixel(int(x), int(y))) : backOutside;
        }
    return count;
}
