// The image as a whole: mirrors, quarter turns, fills and the colour under a
// cell. Each edit takes the undo snapshot first and is one change of the
// image with its own cause, so one undo takes it back.
#pragma once

#include "core/Procedury.h"

enum class Turn { FlipHorizontal, FlipVertical, RotateRight, RotateLeft };

void TurnImage(Editor& e, Turn t);

// The cell's 4-connected area of its colour, or with `everywhere` every cell
// of that colour, takes the drawing colour. False, with no snapshot taken,
// when nothing would change (the cell already has the drawing colour).
bool FillImage(Editor& e, Cell c, bool everywhere);

// The UI index of the cell's colour, or -1 for a colour outside the palette.
int PaletteIndexAt(const Surface& s, Cell c);
