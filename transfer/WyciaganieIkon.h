// The icon the desktop shows for a file, drawn onto a picture surface: the
// icon resources of Windows program files, an icon or cursor file's own
// image, a desktop entry's named icon, otherwise the theme's icon for the
// file's type.
#pragma once
#include <QImage>
#include <QString>

#include "core/Surface.h"

namespace WyciaganieIkon {

// The icon as a size x size ARGB picture; a null image when there is none
// (a path that does not exist, a size other than 16 or 32).
QImage FileIcon(const QString& path, int size);

// Clears the surface to its back colour, then draws the icon at (0, 0) with
// its mask; partly transparent pixels are blended over the back colour.
void DrawFileIcon(const QString& path, Surface& surface, int size);

} // namespace WyciaganieIkon
