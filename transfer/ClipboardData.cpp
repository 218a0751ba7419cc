#include "transfer/ClipboardData.h"

#include <QBuffer>
#include <QMimeData>

#include "transfer/PictureDecoder.h"

namespace {

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

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

std::optional<QImage> Decode(const QMimeData& data, const QString& type)
{
    const QString lower = type.toLower();
    if (lower == QLatin1String("application/x-qt-image")) {
        // A picture of this program's own process, already decoded.
        const QImage img = qvariant_cast<QImage>(data.imageData());
        if (img.isNull() || img.width() > MaxPictureSide || img.height() > MaxPictureSide)
            return std::nullopt;
        return img.convertToFormat(QImage::Format_ARGB32);
    }
    if (IsMetafileType(lower))
        return DecodePicture(data.data(type), "wmf");
    if (IsBitmapType(lower))
        return DecodePicture(data.data(type), "bmp");
    if (lower.startsWith(QLatin1String("image/")) && !lower.contains(QLatin1String("svg")))
        return DecodePicture(data.data(type), lower.mid(6).toLatin1());
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

std::optional<QImage> ClipboardPicture(const QMimeData& data)
{
    QStringList types = data.formats();
    if (types.removeAll(QStringLiteral("image/png")) > 0)
        types.prepend(QStringLiteral("image/png"));
    for (const QString& type : types)
        if (const auto img = Decode(data, type))
            return img;
    return std::nullopt;
}

QString FirstCharacters(const QString& text, int count)
{
    const QList<uint> codePoints = text.toUcs4();
    if (codePoints.size() <= count)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()), count);
}
