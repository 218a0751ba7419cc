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

void PaintCanvasBlock(Editor& e, int x, int y, Colour c)
{
    e.picIkona.fillRect(CellSize * x, CellSize * y, CellSize * x + CellSize - 1,
                        CellSize * y + CellSize - 1, c);
}

void PaintCell(Editor& e, int cx, int cy)
{
    const Colour c = e.DrawingColour();
    e.picMini.setPixel(cx, cy, c);
    if (cx % 2 == 0 && cy % 2 == 0)
        RefreshHalfPreview(e);
    PaintCanvasBlock(e, cx, cy, c);
}

void RepaintCanvas(Editor& e)
{
    // Block by block straight into the raster: 1024 fills through fillRect
    // would notify the view 1024 times.
    Colour* canvas = e.picIkona.pixels();
    const Colour* image = e.picMini.pixels();
    for (int y = 0; y < ImageSize; ++y) {
        Colour* row = canvas + std::size_t(y) * CellSize * CanvasSize;
        for (int x = 0; x < ImageSize; ++x)
            std::fill_n(row + x * CellSize, CellSize, image[y * ImageSize + x]);
        for (int r = 1; r < CellSize; ++r)
            std::copy_n(row, CanvasSize, row + std::size_t(r) * CanvasSize);
    }
    e.picIkona.changed();
}

void RefreshHalfPreview(Editor& e)
{
    if (!e.picEXE.visible())
        return;
    Colour* thumb = e.picEXE.pixels();
    const Colour* image = e.picMini.pixels();
    for (int y = 0; y < ImageSize; y += 2)
        for (int x = 0; x < ImageSize; x += 2)
            thumb[(y / 2) * (ImageSize / 2) + x / 2] = image[y * ImageSize + x];
    e.picEXE.changed();
}

void CanvasToImage(Editor& e)
{
    const Colour* canvas = e.picIkona.pixels();
    Colour* image = e.picMini.pixels();
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x)
            image[y * ImageSize + x] = canvas[std::size_t(y) * CellSize * CanvasSize + x * CellSize];
    e.picMini.changed();
}

void SetImagePixel(Editor& e, int x, int y, Colour c)
{
    e.picMini.setPixel(x, y, c);
    PaintCanvasBlock(e, x, y, c);
}

void ClearImage(Editor& e)
{
    e.picIkona.clear();
    e.picMini.clear();
    e.picEXE.clear();
}
