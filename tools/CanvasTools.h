// What the pointer does on the canvas with each tool: drawing into the image,
// and the things shown over the canvas that are not part of it (rubber-band
// lines, eraser outline, grid). Positions are canvas pixels.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/Procedury.h"

// Button state bits; several held buttons are summed.
enum PointerButtons : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

struct PreviewLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour colour{};
    bool visible = false;
    bool operator==(const PreviewLine&) const = default;
};

inline constexpr int GridLines = ImageSize - 1;

// Told when what is shown over the canvas changes.
class OverlayObserver {
public:
    virtual void overlayChanged() = 0;

protected:
    ~OverlayObserver() = default;
};

struct CanvasOverlay {
    // Linia(0) previews a line; Linia(0..3) the edges of a rectangle.
    std::array<PreviewLine, 4> Linia{};
    // Gumka: 5 x 5 cells whose top-left cell is GumkaCell.
    bool GumkaVisible = false;
    Cell GumkaCell{0, 0};
    // SiatkaNS (vertical, x positions) and SiatkaWE (horizontal, y positions),
    // placed before they are first shown.
    bool GridVisible = false;
    std::array<int, GridLines> SiatkaNS{};
    std::array<int, GridLines> SiatkaWE{};
    // The cell cursor of drawing by keyboard: a frame around one cell.
    bool KeyCursorVisible = false;
    Cell KeyCursorCell{0, 0};

    // The canvas view, told by the tools when any of the above changes.
    OverlayObserver* observer = nullptr;
    void changed() const
    {
        if (observer)
            observer->overlayChanged();
    }
    bool operator==(const CanvasOverlay&) const = default;
};

// "column, row", both counted from 1.
std::string NamiaryText(Cell c);

// Lines at 6, 12, ..., 186: the first pixel column or row of cells 1..31.
void PlaceGrid(CanvasOverlay& o);

// The canvas's three pointer events. `buttons` is the state of every button
// held during the event (for a release, including the released one); only a
// state of exactly LeftButton draws. A pencil stroke is one change of the
// image, from the press to the release.
class CanvasTools {
public:
    explicit CanvasTools(Editor& e) : e_(e) {}
    ~CanvasTools() { EndStroke(); }
    CanvasTools(const CanvasTools&) = delete;
    CanvasTools& operator=(const CanvasTools&) = delete;

    void MouseDown(int buttons, int x, int y);
    void MouseMove(int buttons, int x, int y);
    void MouseUp(int buttons, int x, int y);

    // Moving onto the window outside the canvas takes the eraser outline away.
    void PointerLeftCanvas();

    CanvasOverlay overlay;
    // The cell where the last line or rectangle drag began.
    std::uint8_t DragStartX = 0;
    std::uint8_t DragStartY = 0;

private:
    bool ShapeTool() const;
    void BeginStroke();
    void EndStroke();
    Editor& e_;
    bool stroke_ = false;
};
