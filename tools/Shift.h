// Moves the whole image by one pixel; what leaves at one edge comes back at
// the opposite one.
#pragma once
#include "core/Editor.h"

// The indices of the arrow buttons.
enum ShiftDirection : int { ShiftUp = 0, ShiftLeft = 1, ShiftDown = 2, ShiftRight = 3 };

// Rewrites the image from a full copy, as one change.
// Any other direction changes nothing.
void ShiftImage(Editor& e, int direction);
