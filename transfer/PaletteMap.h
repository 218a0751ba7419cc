// A picture made palette-true before it is placed: every pixel the nearest of
// the 16 palette colours, optionally with error diffusion, and the rule for
// its transparent pixels. These apply only when the user chose fitting or
// palette colours; otherwise a picture is placed exactly as it is.
#pragma once
#include <QImage>

#include "core/Surface.h"

// The palette index transparent pixels become: the checked entry of the
// transparent-colour menu, or colour 11 when "brak" (or anything else) is.
int TransparentIndexForPlacing(int menuIndex);

// Each pixel of the picture as the nearest palette colour in OKLab. Pixels
// with alpha below one half become colour transparentIndex (0..15; any other
// value counts as 11); the others never do: a nearest match to it goes to the
// next nearest. With dither, Floyd-Steinberg error diffusion in linear light,
// rows alternately left to right and right to left; transparent pixels
// neither take nor pass on error. The surface has the picture's size and the
// transparent colour as its back colour; a null picture gives a 1 x 1 one.
Surface MapToPalette(const QImage& picture, int transparentIndex, bool dither);

// The same transparency rule without mapping (a fitted picture placed in its
// own colours): pixels with alpha below one half become colour
// transparentIndex, the others keep their colour exactly.
Surface KeepColours(const QImage& picture, int transparentIndex);
