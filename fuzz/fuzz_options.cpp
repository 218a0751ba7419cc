// The options file as the program reads and writes it, on arbitrary bytes:
// the bytes go into a file, ReadOptionsFile reads it (as ReadOpt does, with
// its read limit), WriteOptionsFile replaces it with what was read (as
// SaveOpt does), and the reader must find the same settings again. Never a
// crash; whatever is accepted is a setting the menu can hold.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "core/Transparent.h"
#include "files/SafeFile.h"
#include "files/OptionsFile.h"

namespace {
// On a memory file system when there is one: the writer syncs every file.
QString OptionsPath()
{
    static const QString path = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString folder = QStringLiteral("%1/fuzz-options-%2").arg(base).arg(::getpid());
        QDir().mkpath(folder);
        static const QString removed = folder;
        std::atexit([] { QDir(removed).removeRecursively(); });
        return folder + QStringLiteral("/opcje.dat");
    }();
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = OptionsPath();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            std::abort();
    }
    const StoredOptions s = ReadOptionsFile(path);
    if (s.transparentIndex && !IsTransparentIndex(*s.transparentIndex))
        std::abort();

    std::array<bool, ViewOptionCount> views{};
    for (int i = 0; i < ViewOptionCount; ++i)
        views[i] = s.views[i].value_or(false);
    const int index = s.transparentIndex.value_or(11);
    if (!WriteOptionsFile(path, index, views))
        std::abort();
    const StoredOptions again = ReadOptionsFile(path);
    if (again.transparentIndex != index)
        std::abort();
    for (int i = 0; i < ViewOptionCount; ++i)
        if (again.views[i] != views[i])
            std::abort();
    // Only the options file itself: no temporary file is left behind.
    if (QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size() != 1)
        std::abort();
    return 0;
}
