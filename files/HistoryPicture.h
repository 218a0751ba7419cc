// A state of the picture history as bytes: the 32 x 32 colour values exactly
// as the image holds them (colours outside the palette too), packed as a
// table of the distinct colours and an index per pixel. Typical icons use a
// few colours, so a state takes about 600 bytes instead of 4096.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "core/Surface.h"

inline constexpr int HistorySide = 32;
inline constexpr int HistoryPixels = HistorySide * HistorySide;
using HistoryImage = std::array<Colour, HistoryPixels>; // rows, top row first

std::vector<std::uint8_t> EncodeHistoryPicture(const HistoryImage& image);
// False (and `image` untouched) for bytes that are not an encoded picture.
bool DecodeHistoryPicture(const std::uint8_t* bytes, std::size_t size, HistoryImage& image);

// The picture of a 32 x 32 surface (the image), and back into one (the
// caller tells the surface's observers).
HistoryImage HistoryImageOf(const Surface& image);
void PutHistoryImage(const HistoryImage& picture, Surface& image);
