// The shared canvas procedures: every operation that changes the image keeps
// the canvas and the thumbnail in step through these.
#pragma once
#include "core/Editor.h"

struct Cell {
    int x;
    int y;
    bool operator==(const Cell&) const = default;
};

// A pointer position in canvas pixels to the cell under it, clamped to 0..31.
Cell CellFromPoint(int x, int y);

// Fills the 6 x 6 canvas block of cell (x, y).
void PaintCanvasBlock(Editor& e, int x, int y, Colour c);
// The pencil's step: one image pixel, its canvas block and, for even cells,
// the thumbnail.
void PaintCell(Editor& e, int cx, int cy);
// All 1024 canvas blocks from the image.
void RepaintCanvas(Editor& e);
// The thumbnail from every second image pixel; nothing while it is hidden.
void RefreshHalfPreview(Editor& e);
// Each canvas block's top-left pixel back into the image.
void CanvasToImage(Editor& e);
// Sets image pixel (x, y) and paints its canvas block.
void SetImagePixel(Editor& e, int x, int y, Colour c);
// Image, canvas and thumbnail cleared to their back colour.
void ClearImage(Editor& e);
