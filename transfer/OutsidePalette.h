// Cells whose colour is not one of the 16: saved as black, so the user is
// told how many before placing.
#pragma once
#include "core/Surface.h"

bool InPalette(Colour c);
// The cells of the width x height rectangle at (left, top) whose colour is
// outside the palette. Cells of the rectangle beyond the surface stand for
// its back colour, as a placed piece gets it there.
int CountOutsidePalette(const Surface& s, int left, int top, int width, int height);
