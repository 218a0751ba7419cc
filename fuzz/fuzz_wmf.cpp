// The metafile player on arbitrary bytes, with a small picture limit so
// that each run stays short.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "transfer/MetafilePlayer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureGuiApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto img = wmf::PlayMetafile(bytes, 256))
        if (img->width() > 256 || img->height() > 256)
            __builtin_trap();
    return 0;
}
