#include "tools/CanvasTools.h"

#include "tools/Shapes.h"

std::string NamiaryText(Cell c)
{
    return std::to_string(c.x + 1) + ", " + std::to_string(c.y + 1);
}

void PlaceGrid(CanvasOverlay& o)
{
    for (int i = 0; i < GridLines; ++i) {
        o.SiatkaNS[i] = CellSize * (i + 1);
        o.SiatkaWE[i] = CellSize * (i + 1);
    }
}

bool CanvasTools::ShapeTool() const
{
    return e_.CurrentTool == ToolLine || e_.CurrentTool == ToolRectangle ||
           e_.CurrentTool == ToolFilledRectangle;
}

namespace {
// Tells the overlay's view once, at the end of an event, if the event
// changed the overlay.
class OverlayWatch {
public:
    explicit OverlayWatch(const CanvasOverlay& o) : o_(o), before_(o) {}
    ~OverlayWatch()
    {
        if (!(o_ == before_))
            o_.changed();
    }

private:
    const CanvasOverlay& o_;
    const CanvasOverlay before_;
};
} // namespace

void CanvasTools::BeginStroke()
{
    if (!stroke_) {
        stroke_ = true;
        e_.picMini.beginChange(ChangeCause::Pencil);
    }
}

void CanvasTools::EndStroke()
{
    if (stroke_) {
        stroke_ = false;
        e_.picMini.endChange();
    }
}

void CanvasTools::MouseDown(int buttons, int x, int y)
{
    if (buttons == LeftButton && e_.CurrentTool == ToolPencil)
        BeginStroke();
    if (buttons != LeftButton || !ShapeTool())
        return;
    OverlayWatch watch(overlay);
    const Cell c = CellFromPoint(x, y);
    const int previews = e_.CurrentTool == ToolLine ? 1 : 4;
    for (int i = 0; i < previews; ++i)
        overlay.Linia[i] = {x, y, x, y, e_.DrawingColour(), true};
    DragStartX = std::uint8_t(c.x);
    DragStartY = std::uint8_t(c.y);
}

void CanvasTools::MouseMove(int buttons, int x, int y)
{
    OverlayWatch watch(overlay);
    const Cell c = CellFromPoint(x, y);
    const bool eraser = e_.CurrentTool == ToolEraser || e_.CurrentTool == ToolColourEraser;
    if (overlay.GumkaVisible && !eraser)
        overlay.GumkaVisible = false;
    if (eraser) {
        overlay.GumkaVisible = true;
        overlay.GumkaCell = c;
        return;
    }
    if (buttons != LeftButton)
        return;
    auto& l = overlay.Linia;
    switch (e_.CurrentTool) {
    case ToolPencil:
        BeginStroke(); // a press the canvas did not see still makes one stroke
        PaintCell(e_, c.x, c.y);
        break;
    case ToolLine:
        l[0].x2 = x;
        l[0].y2 = y;
        break;
    case ToolRectangle:
    case ToolFilledRectangle: {
        const int x0 = l[0].x1, y0 = l[0].y1; // the press position
        l[0] = {x0, y0, x, y0, l[0].colour, l[0].visible};
        l[1] = {x0, y0, x0, y, l[1].colour, l[1].visible};
        l[2] = {x, y0, x, y, l[2].colour, l[2].visible};
        l[3] = {x0, y, x, y, l[3].colour, l[3].visible};
        break;
    }
    default:
        break;
    }
}

void CanvasTools::MouseUp(int buttons, int x, int y)
{
    OverlayWatch watch(overlay);
    // Any release ends the stroke, after the left button's last cell.
    struct StrokeEnd {
        CanvasTools& t;
        ~StrokeEnd() { t.EndStroke(); }
    } end{*this};
    if (buttons != LeftButton)
        return;
    const Cell start{DragStartX, DragStartY};
    switch (e_.CurrentTool) {
    case ToolPencil: {
        const Cell c = CellFromPoint(x, y);
        PaintCell(e_, c.x, c.y);
        break;
    }
    case ToolLine:
        DrawLineTool(e_, start, UnclampedCell(x, y));
        overlay.Linia[0].visible = false;
        break;
    case ToolRectangle:
    case ToolFilledRectangle:
        DrawRectangleTool(e_, start, UnclampedCell(x, y), e_.CurrentTool == ToolFilledRectangle);
        for (auto& l : overlay.Linia)
            l.visible = false;
        break;
    case ToolEraser:
        Erase(e_, overlay.GumkaCell);
        break;
    case ToolColourEraser:
        ColourErase(e_, overlay.GumkaCell);
        break;
    default:
        break;
    }
}

void CanvasTools::PointerLeftCanvas()
{
    OverlayWatch watch(overlay);
    const bool eraser = e_.CurrentTool == ToolEraser || e_.CurrentTool == ToolColourEraser;
    if (eraser && overlay.GumkaVisible)
        overlay.GumkaVisible = false;
}
