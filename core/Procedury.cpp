#include "core/Procedury.h"

#include <algorithm>

void Zmienne(Editor& e)
{
    e.CurrentFileName.clear();
    e.HelpMode = false;
    e.CurrentColor = 0;
    e.CurrentTool = ToolPencil;
    e.ToolHighlightColor = Rgb(255, 128, 255);
}

Cell CellFromPoint(int x, int y)
{
    // Floor division, so that -1 falls into cell -1 and is clamped to 0.
    auto cell = [](int p) {
        const int c = p >= 0 ? p / CellSize : -((-p + CellSize - 1) / CellSize);
        return std::clamp(c, 0, ImageSize - 1);
    };
    return {cell(x), cell(y)};
}

void PaintCell(Editor& e, int cx, int cy)
{
    ImageChange change(e.picMini, ChangeCause::Pencil);
    e.picMini.setPixel(cx, cy, e.DrawingColour());
}

void ClearImage(Editor& e, ChangeCause cause)
{
    ImageChange change(e.picMini, cause);
    e.picMini.clear();
}
