// The icon the desktop shows for a file, drawn onto a picture surface: the
// icon resources of Windows program files, an icon or cursor file's own
// image, a desktop entry's named icon, otherwise the theme's icon for the
// file's type.
#pragma once
#include <functional>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "core/Surface.h"
#include "transfer/PeIcons.h"

namespace WyciaganieIkon {

// Limits for the picture a desktop entry names as its icon, and the entry.
inline constexpr int MaxIconPictureSide = 1024;
inline constexpr qint64 MaxIconPictureBytes = 16 * 1024 * 1024;
inline constexpr std::size_t MaxDesktopEntryBytes = 1024 * 1024;

// The value of the first Icon= key of the [Desktop Entry] group; empty when
// there is none.
QString DesktopEntryIconName(const QByteArray& entry);

// The icon the content of the regular file at `path` gives (ContentIcon of
// its bytes, by its suffix); null when it gives none.
QImage FileContentIcon(const QString& path, int size);
using ContentIconReader = std::function<QImage(const QString& path, int size)>;

// The icon as a size x size ARGB picture; a null image when there is none
// (a path that does not exist, a size other than 16 or 32). The content of
// a regular file is read by `content`; a null answer gives the theme's icon
// for the file's type.
QImage FileIcon(const QString& path, int size, const ContentIconReader& content = FileContentIcon);

// The icon a file's own bytes give: a program file's resources, an icon or
// cursor file's image, the picture or theme icon a desktop entry names, by
// the file's suffix. Null when they give none (the caller then takes the
// theme's icon for the file's type).
QImage ContentIcon(pe::Bytes data, const QString& suffix, int size);

// Clears the surface to its back colour, then draws the icon at (0, 0) with
// its mask; partly transparent pixels are blended over the back colour.
void DrawFileIcon(const QString& path, Surface& surface, int size);
// The same for an icon already found (null: the surface is only cleared).
void DrawIcon(const QImage& icon, Surface& surface);

} // namespace WyciaganieIkon
