#include "transfer/PngChunks.h"

#include <QtEndian>

namespace {

constexpr char Signature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1A', '\n'};
// Length, type, data, checksum.
constexpr qsizetype ChunkOverhead = 12;

bool IsText(const char* type)
{
    return qstrncmp(type, "tEXt", 4) == 0 || qstrncmp(type, "zTXt", 4) == 0 || qstrncmp(type, "iTXt", 4) == 0;
}

} // namespace

bool IsPng(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArray::fromRawData(Signature, sizeof Signature));
}

QByteArray WithoutPngExtras(const QByteArray& bytes)
{
    if (!IsPng(bytes))
        return bytes;
    QByteArray out;
    out.reserve(bytes.size());
    out.append(Signature, sizeof Signature);
    qsizetype extras = 0;
    qsizetype at = sizeof Signature;
    while (at < bytes.size()) {
        const char* chunk = bytes.constData() + at;
        const qsizetype left = bytes.size() - at;
        const quint32 length = left >= 8 ? qFromBigEndian<quint32>(chunk) : 0xFFFFFFFFu;
        // A chunk cut short ends the walk and nothing of it goes on: its
        // length, read by the decoder, could ask for hundreds of megabytes.
        // The picture is then as broken as it was, or ends where it does.
        if (left < ChunkOverhead || length > quint32(left - ChunkOverhead))
            break;
        const char* type = chunk + 4;
        const qsizetype whole = ChunkOverhead + qsizetype(length);
        // A lower-case first letter marks a chunk a decoder may skip.
        const bool extra = (type[0] & 0x20) && qstrncmp(type, "tRNS", 4) != 0;
        if (!extra) {
            out.append(chunk, whole);
        } else if (!IsText(type) && whole <= MaxPngExtraBytes - extras) {
            extras += whole;
            out.append(chunk, whole);
        }
        at += whole;
        if (qstrncmp(type, "IEND", 4) == 0)
            break;
    }
    return out;
}
