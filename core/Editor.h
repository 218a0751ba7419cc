// The editor's one state object: the shared variables, the image and the
// other picture surfaces. The windows own one and pass it on; tests build
// their own. The canvas and the thumbnail are views of the image
// (core/ImageViews.h); they keep no pixels of their own.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "core/Image.h"
#include "core/Palette.h"
#include "core/Surface.h"

inline constexpr int ImageSize = 32;
inline constexpr int CellSize = 6;
inline constexpr int CanvasSize = ImageSize * CellSize;

// Tool numbers, the indices of the tool buttons.
enum Tool : std::uint8_t {
    ToolPencil = 0,
    ToolLine = 1,
    ToolRectangle = 2,
    ToolFilledRectangle = 3,
    ToolText = 4,
    ToolEmpty = 5,
    ToolEraser = 6,
    ToolColourEraser = 7,
};

// Entry 17 of the transparent-colour menu: no transparent colour.
inline constexpr int NoTransparentIndex = 17;

struct Editor {
    // Shared variables.
    std::uint8_t CurrentColor = 0;
    std::uint8_t CurrentTool = ToolPencil;
    bool HelpMode = false;
    std::string CurrentFileName; // the path's bytes as the file system has them; empty when none
    Colour ToolHighlightColor = Rgb(255, 128, 255);
    std::string FragmentPrompt; // UTF-8 prompt of the placement window
    // The checked entry of the transparent-colour menu: 0..15 or 17.
    // The menu's check marks mirror it.
    int TransparentIndex = ImageBackIndex;

    // The image, the one store of the icon's pixels.
    Image picMini{ImageSize, ImageSize, PaletteColors[ImageBackIndex]};
    // The undo snapshot and the scratch buffer of an undo.
    Surface Undo1{ImageSize, ImageSize, PaletteColors[ImageBackIndex]};
    Surface Undo2{ImageSize, ImageSize, PaletteColors[ImageBackIndex]};
    // The placement window's staging surface (sizes itself to its picture)
    // and the back colour of the placement window itself.
    Surface pic{19, 19, PaletteColors[StagingBackIndex]};
    Colour frmtmpBackColour = PaletteColors[StagingBackIndex];

    // The drawing colour: the colour of the selected palette button.
    Colour DrawingColour() const { return PaletteColors[CurrentColor]; }
};

// Resets the shared variables to their start-up values.
void Zmienne(Editor& e);
