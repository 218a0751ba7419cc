// A whole picture scaled down (or up) to fit the 32 x 32 image: proportions
// kept, centred, each output pixel the average in linear light of the source
// area it covers, so no detail is dropped by sampling single pixels.
#pragma once
#include <QImage>

#include "core/Editor.h"

// Where the scaled picture lies within the side x side square. Sides are
// rounded to whole pixels and at least 1 (a 1 x 10000 strip becomes a line
// 1 x 32); the box is centred, an odd margin leaving the extra pixel on the
// right or at the bottom (that line stands in column 15 of 32).
struct FitBox {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const FitBox&) const = default;
};
FitBox FitRectangle(int pictureWidth, int pictureHeight, int side = ImageSize);

// The picture scaled into its FitRectangle of a side x side ARGB32 image
// (alpha not premultiplied); the margins are transparent. Colour is averaged
// weighted by alpha, so transparent pixels lend no colour; alpha is the
// average alpha. Pixels cut by an edge of an output pixel count by the part
// covered. Time is linear in the picture's pixels. A null picture gives an
// all-transparent image.
QImage FitPicture(const QImage& picture, int side = ImageSize);
