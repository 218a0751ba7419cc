// Bitmaps and pattern fills: the bitmap's pixels are charged before it is
// decoded, since a run-length bitmap of the largest size fits in a few bytes.
#include <cstdlib>

#include "transfer/MetafilePlayback.h"
#include "transfer/MetafileRecords.h"
#include "transfer/PictureDecoder.h"

namespace wmf {
namespace {

// Where a blit record has no bitmap: an offset no record reaches.
constexpr qsizetype NoBitmap = 1 << 20;

} // namespace

bool Player::BitmapRecord(quint16 f, const Params& p)
{
    switch (f) {
    case META_PATBLT:
        if (p.has(6))
            Blit(p, NoBitmap, 0, 0, 0, 0, MapRect(p.s(5), p.s(4), p.s(5) + p.s(3), p.s(4) + p.s(2)), p.u32(0));
        return true;
    case META_DIBBITBLT: // without a bitmap a reserved word stands for the source
        if (p.bytes() >= 2 * 8 + 40) {
            const int w = p.s(5), h = p.s(4);
            Blit(p, 8, p.s(3), p.s(2), w, h, MapRect(p.s(7), p.s(6), p.s(7) + w, p.s(6) + h), p.u32(0));
        } else if (p.has(7)) {
            const int w = p.s(4), h = p.s(3);
            Blit(p, NoBitmap, 0, 0, 0, 0, MapRect(p.s(6), p.s(5), p.s(6) + w, p.s(5) + h), p.u32(0));
        }
        return true;
    case META_DIBSTRETCHBLT:
        if (p.has(10)) {
            Blit(p, 10, p.s(5), p.s(4), p.s(3), p.s(2), MapRect(p.s(9), p.s(8), p.s(9) + p.s(7), p.s(8) + p.s(6)),
                 p.u32(0));
        }
        return true;
    case META_STRETCHDIB:
        if (p.has(11)) {
            Blit(p, 11, p.s(6), p.s(5), p.s(4), p.s(3),
                 MapRect(p.s(10), p.s(9), p.s(10) + p.s(8), p.s(9) + p.s(7)), p.u32(0));
        }
        return true;
    default:
        return false;
    }
}

void Player::Blit(const Params& p, qsizetype dibAt, int sx, int sy, int sw, int sh, QRect dest, quint32 rop)
{
    if (dest.width() < 1 || dest.height() < 1 || !AffordArea(dest))
        return;
    if (!p.has(dibAt + 20)) {
        // Without a bitmap the record paints its pattern.
        if (rop == 0x00000042)
            painter_.fillRect(dest, Qt::black);
        else if (rop == 0x00FF0062)
            painter_.fillRect(dest, Qt::white);
        else if (dc_.brush.style != 1)
            painter_.fillRect(dest, dc_.brush.colour);
        return;
    }
    const qint64 w = qFromLittleEndian<qint32>(p.at(dibAt) + 4);
    const qint64 h = std::abs(qint64(qFromLittleEndian<qint32>(p.at(dibAt) + 8)));
    if (w < 1 || w > maxSide_ || h < 1 || h > maxSide_ || !Afford(w * h))
        return;
    const auto decoded = DecodeDib(QByteArray(p.at(dibAt), p.bytes() - 2 * dibAt), maxSide_);
    if (!decoded)
        return;
    const QImage& dib = *decoded;
    QRect source = QRect(sx, sy, sw, sh).normalized();
    if (source.isEmpty())
        source = dib.rect();
    painter_.drawImage(dest, dib, source);
}

} // namespace wmf
