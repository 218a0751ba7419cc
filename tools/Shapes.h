// The shape tools and the erasers: each changes the image as one change.
#pragma once
#include "core/Procedury.h"

// The image pixel under a canvas position, not clamped: a release beyond the
// canvas aims the shape at a point outside the image.
Cell UnclampedCell(int x, int y);

// A straight line in the drawing colour from the start cell to the end cell.
void DrawLineTool(Editor& e, Cell start, Cell end);
// The outline, or the filled rectangle, with both corner cells included.
void DrawRectangleTool(Editor& e, Cell start, Cell end, bool filled);

// The 5 x 5 cell block under the eraser outline whose top-left cell is given.
inline constexpr int EraserCells = 5;
// Fills the block (clipped to the image) in the eraser colour.
void Erase(Editor& e, Cell topLeft);
// Within the block, pixels of the drawing colour become the eraser colour.
void ColourErase(Editor& e, Cell topLeft);
