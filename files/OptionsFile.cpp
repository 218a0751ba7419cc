#include "files/OptionsFile.h"

#include <sys/stat.h>

#include <QFileInfo>

#include "files/NativeNames.h"
#include "files/ReadGate.h"
#include "files/SafeFile.h"

namespace {
// The folder and those above it that are missing, by their own bytes (Qt
// would spell a name that is not UTF-8 in its own way). Failures show when
// the file is written.
void MakeFolders(const QByteArray& folder)
{
    for (qsizetype slash = folder.indexOf('/', 1); ; slash = folder.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? folder : folder.left(slash);
        struct stat st {};
        if (::stat(part.constData(), &st) != 0 && ::mkdir(part.constData(), 0777) != 0)
            return;
        if (slash < 0)
            return;
    }
}
} // namespace

StoredOptions ReadOptionsFile(const QString& path)
{
    const auto bytes = ReadFileStart(path, OptionsReadLimit);
    if (!bytes)
        return {};
    return ParseOptions(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

bool WriteOptionsFile(const QString& path, int transparentIndex,
                      const std::array<bool, ViewOptionCount>& views)
{
    if (path.isEmpty())
        return false;
    const std::string text = FormatOptions(transparentIndex, views);
    MakeFolders(NativeName(QFileInfo(path).path()));
    return ReplaceFile(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}
