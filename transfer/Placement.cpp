#include "transfer/Placement.h"

FramePosition FollowPointer(int x, int y, int picWidth, int picHeight)
{
    constexpr int Frame = ImageSize;
    FramePosition p{x - Frame / 2, y - Frame / 2};
    if (p.left < 0)
        p.left = 0;
    if (p.top < 0)
        p.top = 0;
    // The pointer, not the frame's edge, decides the snap.
    if (x + Frame > picWidth)
        p.left = picWidth - Frame;
    if (y + Frame > picHeight)
        p.top = picHeight - Frame;
    return p;
}

void PlaceFragment(Editor& e, int left, int top)
{
    const Surface& source = e.pic;
    Colour* image = e.picMini.pixels();
    for (int dy = 0; dy < ImageSize; ++dy)
        for (int dx = 0; dx < ImageSize; ++dx) {
            const int x = left + dx, y = top + dy;
            image[dy * ImageSize + dx] = source.contains(x, y) ? source.pixel(x, y) : source.backColour();
        }
    e.picMini.changed();
}

void PlaceWhole(Editor& e, const Surface& fitted)
{
    e.picMini.assign(fitted);
}
