// Colour arithmetic for scaling and mapping pictures: 8-bit sRGB to linear
// light and back (averages and error diffusion are only right in linear
// light), and the nearest palette colour by distance in OKLab, where equal
// distances look about equally different.
#pragma once
#include <array>
#include <cstdint>

#include "core/Palette.h"

// Linear light 0..1 of each 8-bit sRGB value.
const std::array<float, 256>& SrgbToLinearTable();
inline float SrgbToLinear(std::uint8_t v) { return SrgbToLinearTable()[v]; }
// The 8-bit sRGB value nearest to linear light v (clamped to 0..1).
std::uint8_t LinearToSrgb(double v);

struct LinearRgb {
    float r, g, b;
};
// The palette in linear light, by UI index.
const std::array<LinearRgb, PaletteSize>& PaletteLinear();

// The UI index of the palette colour nearest to a colour in linear light,
// never `excluded` (pass -1 to allow every colour). Ties go to the lower index.
int NearestPaletteIndex(LinearRgb c, int excluded);
