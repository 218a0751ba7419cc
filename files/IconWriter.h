// The icon file writer's codec: the image as the 640 bytes that follow the
// copied header.dat (a 4-bit colour bitmap, then a 1-bit mask), bottom row
// first. Bytes out, no files: the command handlers do the I/O.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "core/Editor.h"

inline constexpr int IconBitmapBytes = ImageSize * ImageSize / 2;
inline constexpr int IconMaskBytes = ImageSize * ImageSize / 8;

// Appends the colour bitmap and the mask of the image to `file`. Exact
// palette matches only (anything else is written as black); pixels of the
// transparent colour are written as code 0 with mask bit 1.
void WriteIconBitmaps(const Editor& e, std::vector<std::uint8_t>& file);
// The whole file: header.dat's bytes as they are, then the bitmaps.
std::vector<std::uint8_t> IconFileBytes(std::span<const std::uint8_t> header, const Editor& e);
