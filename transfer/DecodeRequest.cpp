#include "transfer/DecodeRequest.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <cstring>

namespace {
constexpr quint32 RequestMagic = 0x504B4452; // "PKDR"
}

QByteArray EncodeRequestHeader(const DecodeRequest& r)
{
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out << RequestMagic << qint32(r.kind) << r.format << qint32(r.maxSide) << r.maxBytes << r.path
        << r.themeName << r.fallbackThemeName << r.themeSearchPaths << qint64(r.bytes.size());
    return header;
}

std::optional<std::pair<DecodeRequest, qint64>> DecodeRequestHeader(const QByteArray& header)
{
    QDataStream in(header);
    quint32 magic = 0;
    qint32 kind = 0, maxSide = 0;
    qint64 length = 0;
    DecodeRequest r;
    in >> magic >> kind >> r.format >> maxSide >> r.maxBytes >> r.path >> r.themeName >> r.fallbackThemeName >>
        r.themeSearchPaths >> length;
    if (in.status() != QDataStream::Ok || magic != RequestMagic || kind < 0 || kind > 2 || maxSide < 1 ||
        length < 0)
        return std::nullopt;
    r.kind = DecodeRequest::Kind(kind);
    r.maxSide = maxSide;
    return std::pair{r, length};
}

QByteArray EncodeAnswerHeader(const QImage& image)
{
    QByteArray header(AnswerMagic, 4);
    header.resize(AnswerHeaderBytes);
    qToLittleEndian<qint32>(image.width(), header.data() + 4);
    qToLittleEndian<qint32>(image.height(), header.data() + 8);
    return header;
}

std::optional<QSize> CheckAnswerHeader(const char* header, int maxSide)
{
    if (std::memcmp(header, AnswerMagic, 4) != 0)
        return std::nullopt;
    const qint32 w = qFromLittleEndian<qint32>(header + 4), h = qFromLittleEndian<qint32>(header + 8);
    if (w < 1 || h < 1 || w > maxSide || h > maxSide)
        return std::nullopt;
    return QSize(w, h);
}
