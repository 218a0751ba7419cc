// What the clipboard commands put on and take from the clipboard: the image
// offered as PNG first (many receivers take the first type), and the text or
// picture chosen among the types another program offers. Only the types
// named here are ever read, each through our own checks and with its size
// capped before it is read whole.
#pragma once
#include <functional>
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include "transfer/PictureDecoder.h"

class QMimeData;

// The image as PNG, then BMP; nothing else.
QMimeData* ImageMimeData(const QImage& image);

// A picture on the clipboard may be as large as the largest picture as a
// 32-bit bitmap; larger offers are refused unread.
inline constexpr qsizetype MaxClipboardPictureBytes = qsizetype(MaxPictureSide) * MaxPictureSide * 4 + 64 * 1024;
// Paste places 10 characters: this much of a text is plenty.
inline constexpr qsizetype ClipboardTextBytes = 4096;

// What a clipboard owner offers: its types in its own order, and the bytes
// of one type. A fetch gives nothing when the type is not there, when the
// owner does not answer in time, or when the data is larger than `limit`;
// with `cut` it gives the first `limit` bytes of larger data instead.
struct ClipboardOffer {
    QStringList types;
    std::function<std::optional<QByteArray>(const QString& type, qsizetype limit, bool cut)> fetch;
};

// An offer read from Qt's clipboard data (our own copy, the offscreen and
// Wayland platforms). Another program's `application/x-qt-image` is Qt's own
// conversion of a type that is listed, and checked, itself: it is left out.
// A picture this process put there (`ownData`) is offered as PNG instead.
ClipboardOffer OfferOf(const QMimeData& data, bool ownData = false);

// The text of the first text type (UTF-8 text, or text/plain), when its
// bytes are UTF-8 text; never a file list, a picture or an unknown type.
// Nothing for an empty text. Only the first ClipboardTextBytes are read.
std::optional<QString> ClipboardText(const ClipboardOffer& offer);

// How a picture's bytes are decoded, given the decoder's format hint: the
// program passes a bounded decode; DecodePicture itself by default.
using PictureDecode = std::function<std::optional<QImage>(const QByteArray& bytes, const QByteArray& format)>;

// The first usable picture: PNG when offered, then the other picture types
// in the order offered (bitmaps with or without file header, any type our
// decoder reads, metafiles through our player). Nothing when none decodes.
std::optional<QImage> ClipboardPicture(const ClipboardOffer& offer, const PictureDecode& decode = {});

// What paste takes: the text when there is one, else the picture.
struct ClipboardContent {
    std::optional<QString> text;
    std::optional<QImage> picture;
};
ClipboardContent ReadContent(const ClipboardOffer& offer, const PictureDecode& decode = {});

// Pasted text is cut to its first `count` characters (whole characters,
// never half of a pair).
QString FirstCharacters(const QString& text, int count = 10);
