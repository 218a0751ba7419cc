// A small player for Windows metafiles (placeable and plain): draws the
// records with QPainter into a transparent picture. Every count, size and
// object index is checked against the data; playback stops at the end of the
// data, at the end record, or at the first record that does not fit.
#pragma once
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "transfer/CodePage1250.h"

namespace wmf {

// The largest picture side the player will allocate.
inline constexpr int DefaultMaxSide = 4096;

// The natural pixel size of a metafile: the placeable bounding box at its
// units per inch shown at 96 pixels per inch, or else the window extent.
// Nothing for data that is not a metafile or whose size is zero or too big.
std::optional<QSize> MetafileSize(const QByteArray& data, int maxSide = DefaultMaxSide);

// The picture, ARGB32, transparent wherever nothing was drawn.
std::optional<QImage> PlayMetafile(const QByteArray& data, int maxSide = DefaultMaxSide);

} // namespace wmf
