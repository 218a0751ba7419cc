#include "transfer/PictureDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <sys/stat.h>

#include "transfer/MetafilePlayer.h"

namespace {

bool Acceptable(QSize s, int maxSide)
{
    return s.width() >= 1 && s.height() >= 1 && s.width() <= maxSide && s.height() <= maxSide;
}

std::optional<QImage> Finished(QImage img, int maxSide)
{
    if (img.isNull() || !Acceptable(img.size(), maxSide))
        return std::nullopt;
    return img.convertToFormat(QImage::Format_ARGB32);
}

// Qt's readers, after the size the header announces has been checked; the
// allocation limit guards formats whose header does not tell.
std::optional<QImage> ReadWithQt(const QByteArray& bytes, const QByteArray& format, int maxSide)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(true);
    reader.setAllocationLimit(int(qint64(maxSide) * maxSide * 4 / (1024 * 1024)) + 1);
    if (!reader.canRead())
        return std::nullopt;
    const QSize announced = reader.size();
    if (announced.isValid() && !Acceptable(announced, maxSide))
        return std::nullopt;
    // The first frame of an animation is the picture.
    return Finished(reader.read(), maxSide);
}

} // namespace

bool LooksLikeMetafile(const QByteArray& b)
{
    if (b.size() >= 4 && qFromLittleEndian<quint32>(b.constData()) == 0x9AC6CDD7)
        return true;
    // A plain metafile: type 1 or 2, a header of nine words, a known version.
    if (b.size() < 18)
        return false;
    const auto type = qFromLittleEndian<quint16>(b.constData());
    const auto words = qFromLittleEndian<quint16>(b.constData() + 2);
    const auto version = qFromLittleEndian<quint16>(b.constData() + 4);
    return (type == 1 || type == 2) && words == 9 && (version == 0x100 || version == 0x300);
}

std::optional<QImage> DecodeDib(const QByteArray& dib, int maxSide)
{
    if (dib.size() < 40)
        return std::nullopt;
    const char* d = dib.constData();
    const quint32 headerSize = qFromLittleEndian<quint32>(d);
    const qint32 w = qFromLittleEndian<qint32>(d + 4), h = qFromLittleEndian<qint32>(d + 8);
    const int bpp = qFromLittleEndian<quint16>(d + 14);
    const quint32 compression = qFromLittleEndian<quint32>(d + 16);
    quint32 colours = qFromLittleEndian<quint32>(d + 32);
    if (headerSize < 40 || headerSize > quint32(dib.size()) || w < 1 || w > maxSide || h == 0 ||
        h < -maxSide || h > maxSide || colours > 256 || bpp > 32)
        return std::nullopt;
    if (colours == 0 && bpp >= 1 && bpp <= 8)
        colours = 1u << bpp;
    // Bit-field masks follow a header of 40 bytes; larger headers hold them.
    const quint32 masks = compression == 3 && headerSize == 40 ? 12 : 0;
    QByteArray file("BM");
    file.resize(14);
    qToLittleEndian<quint32>(quint32(14 + dib.size()), file.data() + 2);
    qToLittleEndian<quint32>(0, file.data() + 6);
    qToLittleEndian<quint32>(14 + headerSize + masks + 4 * colours, file.data() + 10);
    return ReadWithQt(file + dib, "bmp", maxSide);
}

std::optional<QImage> DecodePicture(const QByteArray& bytes, const QByteArray& format)
{
    if (bytes.isEmpty())
        return std::nullopt;
    if (format == "wmf" || LooksLikeMetafile(bytes)) {
        const auto img = wmf::PlayMetafile(bytes, MaxPictureSide);
        return img ? Finished(*img, MaxPictureSide) : std::nullopt;
    }
    if (format == "bmp" && !bytes.startsWith("BM"))
        return DecodeDib(bytes);
    return ReadWithQt(bytes, format, MaxPictureSide);
}

std::optional<QImage> ReadPictureFile(const QString& path)
{
    // stat first: opening a FIFO to look at it would wait for a writer.
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0 ||
        st.st_size > MaxPictureFileBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(MaxPictureFileBytes);
    const QString suffix = QFileInfo(path).suffix().toLower();
    return DecodePicture(bytes, suffix == "wmf" ? QByteArray("wmf") : QByteArray());
}
