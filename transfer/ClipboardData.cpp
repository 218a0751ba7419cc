#include "transfer/ClipboardData.h"

#include <QBuffer>
#include <QMimeData>
#include <QStringDecoder>

namespace {

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

const QLatin1String QtImageType("application/x-qt-image");

bool IsMetafileType(const QString& type)
{
    return type == QLatin1String("image/x-wmf") || type == QLatin1String("image/wmf") ||
           type == QLatin1String("windows/metafile") || type.startsWith(QLatin1String("application/x-openoffice-wmf"));
}

bool IsBitmapType(const QString& type)
{
    return type == QLatin1String("image/bmp") || type == QLatin1String("image/x-bmp") ||
           type == QLatin1String("image/x-ms-bmp") || type == QLatin1String("image/x-win-bitmap");
}

// The decoder's hint for a picture type; nothing for a type that is not a
// picture we read.
std::optional<QByteArray> PictureHint(const QString& type)
{
    if (IsMetafileType(type))
        return QByteArray("wmf");
    if (IsBitmapType(type))
        return QByteArray("bmp");
    // Another Qt program's picture: its bytes say what they are.
    if (type == QtImageType)
        return QByteArray();
    if (type.startsWith(QLatin1String("image/")) && !type.contains(QLatin1String("svg")))
        return type.mid(6).toLatin1();
    return std::nullopt;
}

bool IsTextType(const QString& type)
{
    return type == QLatin1String("utf8_string") || type == QLatin1String("text/plain") ||
           type == QLatin1String("text/plain;charset=utf-8");
}

// Bytes that are UTF-8 text: valid, and free of NUL (a picture's bytes are
// neither). A cut may have split the last character; it is dropped.
std::optional<QString> Utf8Text(QByteArray bytes, bool cut)
{
    for (int tries = 0; tries < 4; ++tries) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        const QString text = decoder(bytes);
        if (!decoder.hasError())
            return text.contains(QChar(0)) ? std::nullopt : std::optional<QString>(text);
        if (!cut || bytes.isEmpty())
            return std::nullopt;
        bytes.chop(1);
    }
    return std::nullopt;
}

} // namespace

QMimeData* ImageMimeData(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), Encoded(rgb, "PNG"));
    data->setData(QStringLiteral("image/bmp"), Encoded(rgb, "BMP"));
    return data;
}

ClipboardOffer OfferOf(const QMimeData& data, bool ownData)
{
    ClipboardOffer offer;
    for (const QString& type : data.formats())
        if (type != QtImageType || (ownData && data.hasImage()))
            offer.types << type;
    offer.fetch = [&data](const QString& type, qsizetype limit, bool cut) -> std::optional<QByteArray> {
        // Qt hands over the whole data; the cap is applied afterwards.
        QByteArray bytes;
        if (type == QtImageType) {
            const QImage image = qvariant_cast<QImage>(data.imageData());
            if (image.width() > MaxPictureSide || image.height() > MaxPictureSide)
                return std::nullopt;
            bytes = Encoded(image, "PNG");
        } else {
            bytes = data.data(type);
        }
        if (bytes.size() > limit) {
            if (!cut)
                return std::nullopt;
            bytes.truncate(limit);
        }
        return bytes;
    };
    return offer;
}

std::optional<QString> ClipboardText(const ClipboardOffer& offer)
{
    // The UTF-8 types first, then plain text in the owner's order.
    QStringList order;
    for (const QString& type : offer.types)
        if (IsTextType(type.toLower()) && type.toLower() != QLatin1String("text/plain"))
            order << type;
    for (const QString& type : offer.types)
        if (type.toLower() == QLatin1String("text/plain"))
            order << type;
    for (const QString& type : order) {
        const auto bytes = offer.fetch(type, ClipboardTextBytes, true);
        if (!bytes)
            continue;
        const auto text = Utf8Text(*bytes, bytes->size() >= ClipboardTextBytes);
        if (text && !text->isEmpty())
            return text;
    }
    return std::nullopt;
}

std::optional<QImage> ClipboardPicture(const ClipboardOffer& offer, const PictureDecode& decode)
{
    QStringList types = offer.types;
    if (types.removeAll(QStringLiteral("image/png")) > 0)
        types.prepend(QStringLiteral("image/png"));
    for (const QString& type : types) {
        const auto hint = PictureHint(type.toLower());
        if (!hint)
            continue;
        const auto bytes = offer.fetch(type, MaxClipboardPictureBytes, false);
        if (!bytes)
            continue;
        if (auto img = decode ? decode(*bytes, *hint) : DecodePicture(*bytes, *hint))
            return img;
    }
    return std::nullopt;
}

ClipboardContent ReadContent(const ClipboardOffer& offer, const PictureDecode& decode)
{
    ClipboardContent content;
    content.text = ClipboardText(offer);
    if (!content.text)
        content.picture = ClipboardPicture(offer, decode);
    return content;
}

QString FirstCharacters(const QString& text, int count)
{
    const QList<uint> codePoints = text.toUcs4();
    if (codePoints.size() <= count)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()), count);
}
