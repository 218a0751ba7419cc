// How the views show the image. None of them keeps pixels: each reads the
// image when it paints, and turns the image's change notices into the part
// of itself to repaint.
#pragma once
#include "core/Editor.h"

// A view shows each image pixel as an `up` x `up` block, or only every
// `down`-th pixel of each row and column starting at 0.
struct ViewScale {
    int up = 1;
    int down = 1;
    bool operator==(const ViewScale&) const = default;
};

inline constexpr ViewScale OneToOne{1, 1};
// The canvas picIkona: pixel (x, y) as the 6 x 6 block from (6x, 6y).
inline constexpr ViewScale CanvasScale{CellSize, 1};
// The thumbnail picEXE: its pixel (i, j) shows image pixel (2i, 2j).
inline constexpr ViewScale HalfScale{1, 2};

// The view's side for an image side.
constexpr int ViewSide(ViewScale s, int imageSide)
{
    return (imageSide * s.up + s.down - 1) / s.down;
}

// The image coordinate that view coordinate v shows (v >= 0).
constexpr int ImageCoord(ViewScale s, int v)
{
    return v * s.down / s.up;
}

// The view pixels that show any pixel of `area` (image pixels, not
// negative); empty when none does, as for an odd pixel in the thumbnail.
constexpr PixelArea ViewArea(ViewScale s, const PixelArea& area)
{
    auto first = [s](int i) { return (i * s.up + s.down - 1) / s.down; };
    auto last = [s](int i) { return ((i + 1) * s.up - 1) / s.down; };
    return {first(area.left), first(area.top), last(area.right), last(area.bottom)};
}

// What the view shows at (x, y).
inline Colour ViewPixel(const Surface& image, ViewScale s, int x, int y)
{
    return image.pixel(ImageCoord(s, x), ImageCoord(s, y));
}
