// The metafile player on arbitrary bytes, with the program's own limits:
// pictures up to 4096 pixels a side and its bound of drawing work.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "transfer/MetafilePlayer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureGuiApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto img = wmf::PlayMetafile(bytes))
        if (img->width() > wmf::DefaultMaxSide || img->height() > wmf::DefaultMaxSide)
            __builtin_trap();
    return 0;
}
