#include "files/OptionsFile.h"

#include <QDir>
#include <QFileInfo>

#include "files/ReadGate.h"
#include "files/SafeFile.h"

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
    const std::string text = FormatOptions(transparentIndex, views);
    const QString folder = QFileInfo(path).path();
    if (Examine(folder) == PathKind::Missing)
        QDir().mkpath(folder);
    return ReplaceFile(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}
