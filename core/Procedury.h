// The shared canvas procedures. The canvas and the thumbnail follow the
// image by themselves (core/Image.h): these only change the image.
#pragma once
#include "core/Editor.h"

struct Cell {
    int x;
    int y;
    bool operator==(const Cell&) const = default;
};

// A pointer position in canvas pixels to the cell under it, clamped to 0..31.
Cell CellFromPoint(int x, int y);

// The pencil's step: one image pixel in the drawing colour.
void PaintCell(Editor& e, int cx, int cy);
// The image cleared to its back colour, as one change with the given cause.
void ClearImage(Editor& e, ChangeCause cause);
