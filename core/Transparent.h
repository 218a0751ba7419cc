// The transparent colour, derived from the checked menu entry when used.
#pragma once
#include <optional>

#include "core/Editor.h"

// The colour of entry TransparentIndex, or none for "brak".
std::optional<Colour> TransparentColor(const Editor& e);
// The erasers' colour: the checked entry among 0..15, else 11.
int EraserColorIndex(const Editor& e);
// True for the indices the menu can hold checked: 0..15 and 17.
constexpr bool IsTransparentIndex(int i) { return (i >= 0 && i < PaletteSize) || i == NoTransparentIndex; }

// The surface steps of resetting the backgrounds: the image and the undo
// buffers to colour 11 (which clears them), the placement window and its
// surface to colour 15. The selection marker and the undo snapshot that
// follow are the window's steps.
void SetBackgroundColours(Editor& e);
