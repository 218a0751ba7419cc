// Filling by colour: the 4-connected area under a cell, or every cell of
// its colour. Both answer how many cells they changed, so a caller can tell
// a fill that did nothing (a click outside, or with the cell's own colour).
#pragma once
#include "core/Surface.h"

// The cells of (x, y)'s colour reachable from it through edge neighbours take
// the colour c.
int FloodFill(Surface& s, int x, int y, Colour c);
// Every cell of (x, y)'s colour takes the colour c.
int ReplaceColour(Surface& s, int x, int y, Colour c);
