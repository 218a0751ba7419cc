// Drawing by keyboard: a cell cursor moved by the arrows, and Space acting as
// a left click at the cursor's cell with the current tool. It drives the
// same canvas tools the pointer does, at the centre of the cursor's cell, so
// every tool behaves as under the mouse.
#pragma once
#include "tools/CanvasTools.h"

class KeyboardDrawing {
public:
    KeyboardDrawing(Editor& e, CanvasTools& tools) : e_(e), tools_(tools) {}

    // On: the cursor shows on cell (0, 0). Off: the cursor, a marked start
    // and the eraser outline go.
    void Start();
    void Stop();
    bool active() const { return active_; }
    Cell cell() const { return cell_; }

    // By whole cells, clamped to the image; a shape's preview and the eraser
    // outline follow.
    void Move(int dx, int dy);
    // A left click at the cursor: the pencil paints; the line and rectangles
    // mark their start on the first press and draw on the second; the
    // erasers act on the block under the cursor.
    void Act();
    // Another tool: a marked start is dropped, the eraser outline shown or
    // hidden for the new tool.
    void ToolChanged();
    // Escape: a marked start and its preview go; false when none was marked.
    bool CancelStart();
    // The pointer pressed on the canvas: a start marked by key is its no more.
    void ForgetStart() { marked_ = false; }
    // Whether a line or rectangle start is marked and waits for the second Space.
    bool startMarked() const { return marked_; }

private:
    int X() const { return CellSize * cell_.x + CellSize / 2; }
    int Y() const { return CellSize * cell_.y + CellSize / 2; }
    bool ShapeTool() const;
    bool EraserTool() const;
    void ShowCursor(bool shown);
    void DropStart();

    Editor& e_;
    CanvasTools& tools_;
    bool active_ = false;
    Cell cell_{0, 0};
    bool marked_ = false;
    int markedTool_ = ToolPencil;
};
