// Mirroring and quarter turns of a picture surface, in place. The colours
// travel unchanged, those outside the palette included.
#pragma once
#include "core/Surface.h"

// (x, y) to (w - 1 - x, y).
void FlipHorizontal(Surface& s);
// (x, y) to (x, h - 1 - y).
void FlipVertical(Surface& s);
// A quarter turn clockwise: (x, y) to (n - 1 - y, x). Square surfaces only;
// any other is left as it is.
void RotateRight(Surface& s);
// A quarter turn anticlockwise: (x, y) to (y, n - 1 - x). Square surfaces only.
void RotateLeft(Surface& s);
