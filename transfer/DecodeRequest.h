// What the program asks its decoding process for, and how the answer comes
// back: a small header, then the bytes to decode; the answer is nothing, or
// a 32-bit picture that the asker checks before it trusts it.
#pragma once
#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

struct DecodeRequest {
    enum class Kind : std::int32_t {
        Picture,     // `bytes` with the format hint `format`
        PictureFile, // the picture file at `path`, at most `maxBytes` of it
        FileIcon,    // the icon the content of the file at `path` gives
    };
    Kind kind = Kind::Picture;
    QByteArray format;
    int maxSide = 0;
    qint64 maxBytes = 0;
    QString path;
    // The asker's icon theme, so that a theme icon named by a file is the
    // one the asker would have found.
    QString themeName;
    QString fallbackThemeName;
    QStringList themeSearchPaths;
    QByteArray bytes;
};

// The header of a request: everything but `bytes`, and their length.
QByteArray EncodeRequestHeader(const DecodeRequest& request);
// The request a header describes (without its bytes) and the byte count
// that follows; nothing when the header is not one.
std::optional<std::pair<DecodeRequest, qint64>> DecodeRequestHeader(const QByteArray& header);

// An answer: "PKDA", width, height (32 bits each, little-endian), then the
// ARGB32 pixels row by row. No answer (an empty stream) means no picture.
inline constexpr char AnswerMagic[4] = {'P', 'K', 'D', 'A'};
inline constexpr int AnswerHeaderBytes = 12;
QByteArray EncodeAnswerHeader(const QImage& image);
// The size an answer header announces, when it is one and within maxSide.
std::optional<QSize> CheckAnswerHeader(const char* header, int maxSide);
