// The icon file reader's codec: accepts only the form the writer produces
// (766 bytes starting with IconHeader) and decodes it by that layout with the
// file's own colour table and mask. Bytes in, no files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/Editor.h"

inline constexpr std::size_t IconFileSize = 766;

// Exactly 766 bytes, the first 22 equal to IconHeader.
bool IsValidIconFile(std::span<const std::uint8_t> file);
// Draws an accepted file into the staging surface: it becomes 32 x 32, shows
// each opaque pixel in its colour-table colour and its back colour wherever
// the mask is set. The other bytes are taken as they are, whatever they hold.
// Returns false, leaving the surface alone, for a file that is not accepted.
bool DecodeIcon(std::span<const std::uint8_t> file, Surface& pic);
// Copies the staging surface's 32 x 32 pixels into the image, as one change;
// its back colour becomes the transparent colour when one is set. No undo
// snapshot.
void LoadIconPixels(Editor& e);
