// The icon of a file on the program-icon import's own path, from the file's
// bytes: as a program file, an icon file (PNG entries decoded by Qt) and a
// desktop entry. For the desktop entry, the bytes after the first NUL are
// written to a file that "@ICON@" in the entry names, so that its Icon= read
// meets any picture. Never a crash; an icon is always size x size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QFile>
#include <QTemporaryDir>

#include "FuzzSupport.h"
#include "transfer/WyciaganieIkon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureGuiApplication();
    static QTemporaryDir dir;
    static const QString picture = dir.filePath("icon-picture");
    const pe::Bytes bytes(data, size);
    for (const char* suffix : {"exe", "ico"}) {
        const QImage img = WyciaganieIkon::ContentIcon(bytes, QString::fromLatin1(suffix), 32);
        if (!img.isNull() && img.size() != QSize(32, 32))
            __builtin_trap();
    }

    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype nul = all.indexOf('\0');
    QByteArray entry = nul < 0 ? all : all.left(nul);
    entry.replace("@ICON@", QFile::encodeName(picture));
    QFile file(picture);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(nul < 0 ? QByteArray() : all.mid(nul + 1));
    file.close();
    const QImage img = WyciaganieIkon::ContentIcon(
        {reinterpret_cast<const std::uint8_t*>(entry.constData()), std::size_t(entry.size())}, "desktop", 16);
    if (!img.isNull() && img.size() != QSize(16, 16))
        __builtin_trap();
    return 0;
}
