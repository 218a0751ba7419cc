#include "transfer/MetafilePlayer.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

#include "transfer/MetafilePlayback.h"
#include "transfer/MetafileRecords.h"

namespace wmf {
namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr int PlaceableSize = 22;
constexpr int HeaderWords = 9;

std::optional<Header> ReadHeader(const QByteArray& data, int maxSide)
{
    Header h;
    const char* d = data.constData();
    if (data.size() >= PlaceableSize && qFromLittleEndian<quint32>(d) == PlaceableKey) {
        const int left = qFromLittleEndian<qint16>(d + 6), top = qFromLittleEndian<qint16>(d + 8);
        const int right = qFromLittleEndian<qint16>(d + 10), bottom = qFromLittleEndian<qint16>(d + 12);
        const int inch = qFromLittleEndian<quint16>(d + 14);
        if (inch == 0)
            return std::nullopt;
        h.placeable = true;
        h.box = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                      QSize(std::abs(right - left), std::abs(bottom - top)));
        h.size = QSize(int(std::lround(h.box.width() * 96.0 / inch)),
                       int(std::lround(h.box.height() * 96.0 / inch)));
        h.records = PlaceableSize;
    }
    if (data.size() < h.records + 2 * HeaderWords)
        return std::nullopt;
    const char* m = d + h.records;
    const int type = qFromLittleEndian<quint16>(m), words = qFromLittleEndian<quint16>(m + 2);
    if ((type != 1 && type != 2) || words != HeaderWords)
        return std::nullopt;
    h.objects = qFromLittleEndian<quint16>(m + 10);
    h.records += 2 * HeaderWords;
    if (!h.placeable) {
        // A plain metafile is as big as the first window extent it sets.
        for (qsizetype pos = h.records; pos + 6 <= data.size();) {
            const quint32 size = qFromLittleEndian<quint32>(d + pos);
            const quint16 function = qFromLittleEndian<quint16>(d + pos + 4);
            if (size < 3 || size > quint32(data.size() - pos) / 2 || function == META_EOF)
                break;
            if (function == META_SETWINDOWEXT && size >= 5) {
                h.size = QSize(std::abs(qFromLittleEndian<qint16>(d + pos + 8)),
                               std::abs(qFromLittleEndian<qint16>(d + pos + 6)));
                break;
            }
            pos += qsizetype(size) * 2;
        }
    }
    if (h.size.width() < 1 || h.size.height() < 1 || h.size.width() > maxSide || h.size.height() > maxSide)
        return std::nullopt;
    return h;
}

} // namespace

Player::Player(const Header& h, QImage& image, int maxSide)
    : header_(h), painter_(&image), objects_(h.objects), maxSide_(maxSide)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    if (h.placeable) {
        dc_.windowOrg = h.box.topLeft();
        dc_.windowExt = h.box.size();
    } else {
        dc_.windowExt = h.size;
    }
}

void Player::Play(const QByteArray& data)
{
    const char* d = data.constData();
    int played = 0;
    for (qsizetype pos = header_.records; pos + 6 <= data.size() && played < MaxRecords && !spent_; ++played) {
        const quint32 size = qFromLittleEndian<quint32>(d + pos);
        const quint16 function = qFromLittleEndian<quint16>(d + pos + 4);
        // A record must hold at least its own size and function, and fit.
        if (size < 3 || size > quint32(data.size() - pos) / 2 || function == META_EOF)
            return;
        if (Afford(RecordWork)) {
            const Params p(d + pos + 6, qsizetype(size) * 2 - 6);
            StateRecord(function, p) || ObjectRecord(function, p) || ShapeRecord(function, p) ||
                BitmapRecord(function, p) || TextRecord(function, p);
        }
        pos += qsizetype(size) * 2;
    }
}

std::optional<QSize> MetafileSize(const QByteArray& data, int maxSide)
{
    const auto h = ReadHeader(data, maxSide);
    return h ? std::optional<QSize>(h->size) : std::nullopt;
}

std::optional<QImage> PlayMetafile(const QByteArray& data, int maxSide)
{
    const auto h = ReadHeader(data, maxSide);
    if (!h)
        return std::nullopt;
    QImage image(h->size, QImage::Format_ARGB32);
    if (image.isNull())
        return std::nullopt;
    image.fill(Qt::transparent);
    {
        Player player(*h, image, maxSide);
        player.Play(data);
    }
    return image;
}

} // namespace wmf
