#include "transfer/PictureDecoder.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

#include "files/ReadGate.h"
#include "transfer/MetafilePlayer.h"
#include "transfer/PeIcons.h"
#include "transfer/PngChunks.h"

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
    // Qt's PNG reader inflates every text chunk in full.
    QByteArray data = WithoutPngExtras(bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(true);
    reader.setAllocationLimit(int(qint64(maxSide) * maxSide * 4 / (1024 * 1024)) + 1);
    // Only the formats whose costs we know: a plugin installed later (SVG,
    // TIFF, ...) is not let in by the detection.
    static const QByteArrayList known{"bmp", "gif", "jpeg", "png", "pbm", "pgm", "ppm", "xbm", "xpm"};
    if (!reader.canRead() || !known.contains(reader.format()))
        return std::nullopt;
    const QSize announced = reader.size();
    if (announced.isValid() && !Acceptable(announced, maxSide))
        return std::nullopt;
    // The first frame of an animation is the picture.
    return Finished(reader.read(), maxSide);
}

// ---- Completeness: Qt's readers fill a truncated picture with whatever
// they have; a picture that is not all there is refused instead.

bool CompleteBitmap(const QByteArray& b)
{
    if (b.size() < 14 + 40)
        return false;
    const char* d = b.constData();
    const quint32 bits = qFromLittleEndian<quint32>(d + 10);
    const qint64 w = qFromLittleEndian<qint32>(d + 18), h = qFromLittleEndian<qint32>(d + 22);
    const int bpp = qFromLittleEndian<quint16>(d + 28);
    const quint32 compression = qFromLittleEndian<quint32>(d + 30);
    // Sizes beyond the limit are refused before any arithmetic on them.
    if (w < 1 || w > MaxPictureSide || h == 0 || std::abs(h) > MaxPictureSide || bpp < 1 || bpp > 32)
        return false;
    if (compression != 0 && compression != 3)
        return true; // run-length data has no fixed size; Qt's reader checks it
    const qint64 stride = (w * bpp + 31) / 32 * 4;
    return qint64(bits) + stride * std::abs(h) <= b.size();
}

// The first frame must be complete: the blocks up to the end of the first
// image's data are walked.
bool CompleteGif(const QByteArray& b)
{
    const auto byte = [&b](qsizetype i) { return i < b.size() ? int(quint8(b[i])) : -1; };
    qsizetype at = 13;
    if (byte(10) < 0)
        return false;
    if (byte(10) & 0x80)
        at += 3 * (qsizetype(2) << (byte(10) & 7));
    const auto skipSubBlocks = [&](qsizetype& i) {
        for (int n = byte(i); n != 0; n = byte(i)) {
            if (n < 0)
                return false;
            i += n + 1;
        }
        ++i;
        return true;
    };
    for (;;) {
        const int kind = byte(at);
        if (kind == 0x21) { // extension: label, then sub-blocks
            at += 2;
            if (!skipSubBlocks(at))
                return false;
        } else if (kind == 0x2C) { // image: descriptor, local colours, code size, data
            const int flags = byte(at + 9);
            if (flags < 0)
                return false;
            at += 10;
            if (flags & 0x80)
                at += 3 * (qsizetype(2) << (flags & 7));
            at += 1;
            return skipSubBlocks(at) && at <= b.size();
        } else {
            return false;
        }
    }
}

// The end-of-image marker must follow the last start of scan, and the
// number of scans must stay sane: the decoder passes over the whole picture
// once a scan, so thousands of empty scans in a small file cost minutes.
bool CompleteJpeg(const QByteArray& b)
{
    const qsizetype scan = b.lastIndexOf(QByteArray("\xFF\xDA", 2));
    if (scan <= 0 || b.lastIndexOf(QByteArray("\xFF\xD9", 2)) <= scan)
        return false;
    const int scans = JpegScanCount(b);
    return scans >= 1 && scans <= MaxJpegScans;
}

bool Complete(const QByteArray& b)
{
    if (b.startsWith("BM"))
        return CompleteBitmap(b);
    if (b.startsWith("GIF8"))
        return CompleteGif(b);
    if (b.startsWith("\xFF\xD8"))
        return CompleteJpeg(b);
    return true;
}

bool LooksLikeIconFile(const QByteArray& b)
{
    return b.size() >= 6 && b[0] == 0 && b[1] == 0 && (b[2] == 1 || b[2] == 2) && b[3] == 0 &&
           (b[4] != 0 || b[5] != 0);
}

} // namespace

QImage IconImageToQImage(const pe::IconImage& icon)
{
    if (!icon.png.empty())
        return QImage::fromData(
            WithoutPngExtras(QByteArray::fromRawData(reinterpret_cast<const char*>(icon.png.data()),
                                                     qsizetype(icon.png.size()))),
            "PNG");
    QImage img(icon.width, icon.height, QImage::Format_ARGB32);
    for (int y = 0; y < icon.height; ++y)
        std::copy_n(icon.argb.data() + std::size_t(y) * icon.width, icon.width,
                    reinterpret_cast<QRgb*>(img.scanLine(y)));
    return img;
}

int JpegScanCount(const QByteArray& b)
{
    const auto byte = [&b](qsizetype i) { return int(quint8(b[i])); };
    if (b.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8)
        return -1;
    int scans = 0;
    for (qsizetype i = 2; i + 1 < b.size();) {
        if (byte(i) != 0xFF)
            return -1;
        const int marker = byte(i + 1);
        if (marker == 0xFF) { // fill byte before a marker
            ++i;
            continue;
        }
        if (marker == 0xD9)
            return scans;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // markers without a length
            i += 2;
            continue;
        }
        if (i + 3 >= b.size())
            return -1;
        const int length = byte(i + 2) << 8 | byte(i + 3);
        if (length < 2)
            return -1;
        i += 2 + length;
        if (marker != 0xDA)
            continue;
        // Counting stops just above the limit: the answer is "too many" then.
        if (++scans > MaxJpegScans)
            return scans;
        // The coded data runs to the next marker other than a restart; a
        // coded 0xFF is followed by a zero byte.
        while (i + 1 < b.size() &&
               !(byte(i) == 0xFF && byte(i + 1) != 0 && (byte(i + 1) < 0xD0 || byte(i + 1) > 0xD7)))
            ++i;
    }
    return -1;
}

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

std::optional<QImage> DecodePicture(const QByteArray& bytes, const QByteArray& format, int maxSide)
{
    if (bytes.isEmpty())
        return std::nullopt;
    if (format == "wmf" || LooksLikeMetafile(bytes)) {
        const auto img = wmf::PlayMetafile(bytes, maxSide);
        return img ? Finished(*img, maxSide) : std::nullopt;
    }
    if (format == "bmp" && !bytes.startsWith("BM"))
        return DecodeDib(bytes, maxSide);
    // Icons and cursors: their 32 x 32 image with its mask, as the desktop
    // shows them (Qt's reader loses the mask of some cursors).
    if (LooksLikeIconFile(bytes)) {
        const auto icon = pe::ReadIconFile(
            {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())}, 32);
        return icon ? Finished(IconImageToQImage(*icon), maxSide) : std::nullopt;
    }
    if (!Complete(bytes))
        return std::nullopt;
    return ReadWithQt(bytes, format, maxSide);
}

std::optional<QImage> ReadPictureFile(const QString& path, int maxSide, qint64 maxBytes)
{
    const auto bytes = ReadWholeFile(path, std::size_t(std::max<qint64>(maxBytes, 0)));
    if (!bytes)
        return std::nullopt;
    const QString suffix = QFileInfo(path).suffix().toLower();
    return DecodePicture(*bytes, suffix == "wmf" ? QByteArray("wmf") : QByteArray(), maxSide);
}
