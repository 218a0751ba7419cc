// What paste takes from a clipboard: any bytes offered under a set of types
// (text, file lists, pictures, Qt's own x-qt-image, unknown ones) chosen by
// the first two bytes, read both as another program's offer and through Qt's
// clipboard data. Text comes only from text types, as UTF-8 without NUL,
// and is cut to 10 whole characters; a picture is never larger than the
// largest picture accepted.
#include <cstddef>
#include <cstdint>
#include <algorithm>

#include <QMimeData>

#include "FuzzSupport.h"
#include "transfer/ClipboardData.h"

namespace {
void Check(const ClipboardContent& c, const QStringList& types)
{
    if (c.text) {
        bool fromText = false;
        for (const QString& t : types)
            fromText |= t == "text/plain" || t == "UTF8_STRING" || t == "text/plain;charset=utf-8";
        if (!fromText || c.text->isEmpty() || c.text->contains(QChar(0)) || c.picture)
            __builtin_trap();
        const QString cut = FirstCharacters(*c.text);
        if (cut.toUcs4().size() > 10 || !c.text->startsWith(cut) || (cut.size() && cut.back().isHighSurrogate()))
            __builtin_trap();
    }
    if (c.picture && (c.picture->width() < 1 || c.picture->height() < 1 || c.picture->width() > MaxPictureSide ||
                      c.picture->height() > MaxPictureSide))
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureGuiApplication();
    if (size < 2)
        return 0;
    static const char* const known[] = {"text/plain",    "UTF8_STRING", "text/plain;charset=utf-8",
                                        "text/uri-list", "image/png",   "image/bmp",
                                        "image/x-wmf",   "image/jpeg",  "application/x-qt-image",
                                        "image/gif",     "application/octet-stream"};
    // The first two bytes choose the types, in the order of the table or,
    // when the top bit is set, the other way round.
    const unsigned mask = data[0] | unsigned(data[1]) << 8;
    QStringList types;
    for (std::size_t i = 0; i < std::size(known); ++i)
        if (mask & (1u << i))
            types << QString::fromLatin1(known[i]);
    if (mask & 0x8000)
        std::reverse(types.begin(), types.end());
    const QByteArray bytes(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));

    ClipboardOffer offer;
    offer.types = types;
    offer.fetch = [&bytes](const QString&, qsizetype limit, bool cut) -> std::optional<QByteArray> {
        if (bytes.size() > limit && !cut)
            return std::nullopt;
        return bytes.left(limit);
    };
    Check(ReadContent(offer), types);

    QMimeData mime;
    for (const QString& t : types)
        mime.setData(t, bytes);
    Check(ReadContent(OfferOf(mime)), types);
    return 0;
}
