#include "tools/Shapes.h"

#include "core/Transparent.h"

namespace {
int FloorDiv(int p, int d)
{
    return p >= 0 ? p / d : -((-p + d - 1) / d);
}
} // namespace

Cell UnclampedCell(int x, int y)
{
    return {FloorDiv(x, CellSize), FloorDiv(y, CellSize)};
}

void DrawLineTool(Editor& e, Cell start, Cell end)
{
    ImageChange change(e.picMini, ChangeCause::Line);
    e.picMini.line(start.x, start.y, end.x, end.y, e.DrawingColour());
}

void DrawRectangleTool(Editor& e, Cell start, Cell end, bool filled)
{
    ImageChange change(e.picMini, filled ? ChangeCause::FilledRectangle : ChangeCause::Rectangle);
    if (filled)
        e.picMini.fillRect(start.x, start.y, end.x, end.y, e.DrawingColour());
    else
        e.picMini.rectangle(start.x, start.y, end.x, end.y, e.DrawingColour());
}

void Erase(Editor& e, Cell topLeft)
{
    ImageChange change(e.picMini, ChangeCause::Eraser);
    e.picMini.fillRect(topLeft.x, topLeft.y, topLeft.x + EraserCells - 1,
                       topLeft.y + EraserCells - 1, PaletteColors[EraserColorIndex(e)]);
}

void ColourErase(Editor& e, Cell topLeft)
{
    ImageChange change(e.picMini, ChangeCause::ColourEraser);
    const Colour eraser = PaletteColors[EraserColorIndex(e)];
    const Colour drawing = e.DrawingColour();
    for (int x = topLeft.x; x < topLeft.x + EraserCells; ++x)
        for (int y = topLeft.y; y < topLeft.y + EraserCells; ++y)
            // Outside the image pixel() answers a value equal to no colour.
            if (e.picMini.pixel(x, y) == drawing)
                e.picMini.setPixel(x, y, eraser);
}
