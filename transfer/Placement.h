// The arithmetic of the placement window, free of widgets: where the 32 x 32
// frame stands for a pointer position, and copying the framed pixels into
// the image.
#pragma once
#include "core/Editor.h"

struct FramePosition {
    int left;
    int top;
    bool operator==(const FramePosition&) const = default;
};

// The frame centred on the pointer, kept off the top and left edges, and
// snapped to the right (bottom) edge as soon as the pointer is within 32
// pixels of it. A picture narrower than 32 pixels gives a negative position.
FramePosition FollowPointer(int x, int y, int picWidth, int picHeight);
// Copies the 32 x 32 pixels of the staging surface from (left, top) into the
// image exactly as they are. Where the frame lies outside the surface the
// image gets the surface's back colour. The command that opened the
// placement window gives the change its cause.
void PlaceFragment(Editor& e, int left, int top);

// The placement window's three choices; all off places the picture exactly
// as it is.
struct PlacementChoices {
    bool fit = false;            // the whole picture scaled to 32 x 32
    bool paletteColours = false; // every pixel the nearest palette colour
    bool dither = false;         // error diffusion, only with paletteColours
    bool operator==(const PlacementChoices&) const = default;
};

// Copies a 32 x 32 surface into the image as the whole image.
void PlaceWhole(Editor& e, const Surface& fitted);
