#include "tools/Shapes.h"

#include "core/Transparent.h"

namespace {
int FloorDiv(int p, int d)
{
    return p >= 0 ? p / d : -((-p + d - 1) / d);
}

void Repaint(Editor& e)
{
    RepaintCanvas(e);
    RefreshHalfPreview(e);
}
} // namespace

Cell UnclampedCell(int x, int y)
{
    return {FloorDiv(x, CellSize), FloorDiv(y, CellSize)};
}

void DrawLineTool(Editor& e, Cell start, Cell end)
{
    e.picMini.line(start.x, start.y, end.x, end.y, e.DrawingColour());
    Repaint(e);
}

void DrawRectangleTool(Editor& e, Cell start, Cell end, bool filled)
{
    if (filled)
        e.picMini.fillRect(start.x, start.y, end.x, end.y, e.DrawingColour());
    else
        e.picMini.rectangle(start.x, start.y, end.x, end.y, e.DrawingColour());
    Repaint(e);
}

void Erase(Editor& e, Cell topLeft)
{
    const int x = CellSize * topLeft.x;
    const int y = CellSize * topLeft.y;
    const int side = CellSize * EraserCells;
    e.picIkona.fillRect(x, y, x + side - 1, y + side - 1, PaletteColors[EraserColorIndex(e)]);
    CanvasToImage(e);
    RefreshHalfPreview(e);
}

void ColourErase(Editor& e, Cell topLeft)
{
    const Colour eraser = PaletteColors[EraserColorIndex(e)];
    const Colour drawing = e.DrawingColour();
    for (int x = topLeft.x; x < topLeft.x + EraserCells; ++x)
        for (int y = topLeft.y; y < topLeft.y + EraserCells; ++y)
            // Outside the image pixel() answers a value equal to no colour.
            if (e.picMini.pixel(x, y) == drawing)
                e.picMini.setPixel(x, y, eraser);
    Repaint(e);
}
