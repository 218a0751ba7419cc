// What the clipboard commands put on and take from the clipboard: the image
// offered as PNG first (many receivers take the first type), and the
// picture chosen among the types another program offers.
#pragma once
#include <optional>

#include <QImage>
#include <QString>

class QMimeData;

// The image as PNG, then BMP; nothing else.
QMimeData* ImageMimeData(const QImage& image);

// The first usable picture: PNG when offered, then the other picture types
// in the order offered (bitmaps with or without file header, any type Qt
// decodes, metafiles through our player). Nothing when none decodes.
std::optional<QImage> ClipboardPicture(const QMimeData& data);

// Pasted text is cut to its first `count` characters (whole characters,
// never half of a pair).
QString FirstCharacters(const QString& text, int count = 10);
