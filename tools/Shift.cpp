#include "tools/Shift.h"

#include <algorithm>
#include <array>


void ShiftImage(Editor& e, int direction)
{
    static constexpr int dx[] = {0, 1, 0, -1};
    static constexpr int dy[] = {1, 0, -1, 0};
    if (direction < ShiftUp || direction > ShiftRight)
        return;
    ImageChange change(e.picMini, ChangeCause::Shift);
    // New (x, y) takes old (x + dx, y + dy), wrapped.
    std::array<Colour, ImageSize * ImageSize> copy;
    Colour* image = e.picMini.pixels();
    std::copy_n(image, copy.size(), copy.begin());
    for (int y = 0; y < ImageSize; ++y) {
        const int from = (y + dy[direction] + ImageSize) % ImageSize;
        for (int x = 0; x < ImageSize; ++x)
            image[y * ImageSize + x] =
                copy[from * ImageSize + (x + dx[direction] + ImageSize) % ImageSize];
    }
    e.picMini.changed();
}
