#include "tools/KeyboardDrawing.h"

#include <algorithm>

bool KeyboardDrawing::ShapeTool() const
{
    return e_.CurrentTool == ToolLine || e_.CurrentTool == ToolRectangle ||
           e_.CurrentTool == ToolFilledRectangle;
}

bool KeyboardDrawing::EraserTool() const
{
    return e_.CurrentTool == ToolEraser || e_.CurrentTool == ToolColourEraser;
}

void KeyboardDrawing::ShowCursor(bool shown)
{
    CanvasOverlay& o = tools_.overlay;
    if (o.KeyCursorVisible == shown && o.KeyCursorCell == cell_)
        return;
    o.KeyCursorVisible = shown;
    o.KeyCursorCell = cell_;
    o.changed();
}

void KeyboardDrawing::DropStart()
{
    if (!marked_)
        return;
    marked_ = false;
    CanvasOverlay& o = tools_.overlay;
    bool shown = false;
    for (PreviewLine& l : o.Linia) {
        shown = shown || l.visible;
        l.visible = false;
    }
    if (shown)
        o.changed();
}

void KeyboardDrawing::Start()
{
    active_ = true;
    cell_ = {0, 0};
    marked_ = false;
    ShowCursor(true);
    if (EraserTool())
        tools_.MouseMove(0, X(), Y());
}

void KeyboardDrawing::Stop()
{
    if (!active_)
        return;
    DropStart();
    active_ = false;
    ShowCursor(false);
    tools_.PointerLeftCanvas();
}

void KeyboardDrawing::Move(int dx, int dy)
{
    if (!active_)
        return;
    if (marked_ && e_.CurrentTool != markedTool_)
        DropStart();
    cell_ = {std::clamp(cell_.x + dx, 0, ImageSize - 1), std::clamp(cell_.y + dy, 0, ImageSize - 1)};
    ShowCursor(true);
    // As a pointer moving with the left button held during a drag, or
    // without buttons otherwise (which moves the eraser outline).
    tools_.MouseMove(marked_ ? LeftButton : 0, X(), Y());
}

void KeyboardDrawing::Act()
{
    if (!active_)
        return;
    if (marked_ && e_.CurrentTool != markedTool_)
        DropStart();
    if (ShapeTool()) {
        if (!marked_) {
            tools_.MouseDown(LeftButton, X(), Y());
            marked_ = true;
            markedTool_ = e_.CurrentTool;
        } else {
            marked_ = false;
            tools_.MouseUp(LeftButton, X(), Y());
        }
        return;
    }
    if (EraserTool())
        tools_.MouseMove(0, X(), Y()); // the block is the outline's, wherever the pointer left it
    tools_.MouseDown(LeftButton, X(), Y());
    tools_.MouseUp(LeftButton, X(), Y());
}

bool KeyboardDrawing::CancelStart()
{
    const bool was = marked_;
    DropStart();
    return was;
}

void KeyboardDrawing::ToolChanged()
{
    if (!active_)
        return;
    DropStart();
    tools_.MouseMove(0, X(), Y());
}
