// Pictures from outside (files, the clipboard) to QImage, with every size
// checked before anything is decoded: metafiles through our player, bitmaps
// without a file header by hand, everything else through Qt's readers.
#pragma once
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>

// The largest picture side accepted from outside.
inline constexpr int MaxPictureSide = 4096;
// Larger files are refused unread (a 4096 x 4096 bitmap of 32 bits is 64 MB).
inline constexpr qint64 MaxPictureFileBytes = 128 * 1024 * 1024;
// A JPEG is decoded in one pass over the picture for each of its scans; a
// progressive one from a camera has about ten.
inline constexpr int MaxJpegScans = 64;

// Decodes picture bytes; `format` is a hint such as "bmp", "png", "wmf", or
// empty to let the content decide. Nothing for an empty, unknown, damaged or
// oversized picture, or one of 0 x 0 pixels.
std::optional<QImage> DecodePicture(const QByteArray& bytes, const QByteArray& format = {},
                                    int maxSide = MaxPictureSide);

// The scans of a JPEG, found by walking its markers (a thumbnail inside an
// application segment is not counted); counting stops past MaxJpegScans.
// -1 when the data is not a JPEG or its markers are broken before the end.
int JpegScanCount(const QByteArray& bytes);

// A device-independent bitmap without its file header (header, colours,
// bits), as the clipboard and metafiles carry it.
std::optional<QImage> DecodeDib(const QByteArray& dib, int maxSide = MaxPictureSide);

namespace pe {
struct IconImage;
}
// An icon image from the icon reader as a picture (PNG entries decoded).
QImage IconImageToQImage(const pe::IconImage& icon);

// True for the start of a placeable or plain metafile.
bool LooksLikeMetafile(const QByteArray& bytes);

// Reads and decodes a picture file. Only regular files are opened (a FIFO
// would block, a device never end); directories, unreadable and oversized
// files give nothing.
std::optional<QImage> ReadPictureFile(const QString& path, int maxSide = MaxPictureSide,
                                      qint64 maxBytes = MaxPictureFileBytes);
