#include "files/NativeNames.h"

namespace {
// The length of the valid UTF-8 sequence at the start of s, or 0.
std::size_t Utf8Sequence(std::string_view s)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = b(0);
    if (lead < 0x80)
        return 1;
    std::size_t n = 0;
    char32_t min = 0;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
        min = 0x80;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        min = 0x800;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        min = 0x10000;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() < n)
        return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (b(i) & 0x3F);
    }
    // No overlong forms, no surrogates, nothing beyond U+10FFFF.
    if (cp < min || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return 0;
    return n;
}

constexpr char16_t EscapeBase = 0xDC00;

bool IsEscape(char16_t c) { return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF; }
} // namespace

QString NameFromNative(std::string_view native)
{
    QString name;
    name.reserve(qsizetype(native.size()));
    while (!native.empty()) {
        if (const std::size_t n = Utf8Sequence(native)) {
            name += QString::fromUtf8(native.data(), qsizetype(n));
            native.remove_prefix(n);
        } else {
            name += QChar(char16_t(EscapeBase + static_cast<unsigned char>(native.front())));
            native.remove_prefix(1);
        }
    }
    return name;
}

QByteArray NativeName(const QString& name)
{
    QByteArray native;
    native.reserve(name.size());
    qsizetype runStart = 0;
    const auto flush = [&](qsizetype end) {
        native += QStringView(name).mid(runStart, end - runStart).toUtf8();
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        // A low surrogate right after a high one is half of a real character.
        const bool paired = i > 0 && name[i - 1].isHighSurrogate();
        if (IsEscape(c) && !paired) {
            flush(i);
            native += char(c - EscapeBase);
            runStart = i + 1;
        }
    }
    flush(name.size());
    return native;
}

QString DisplayName(QString name)
{
    for (qsizetype i = 0; i < name.size(); ++i)
        if (IsEscape(name[i].unicode()) && !(i > 0 && name[i - 1].isHighSurrogate()))
            name[i] = QChar::ReplacementCharacter;
    return name;
}
