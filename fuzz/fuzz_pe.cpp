// The icon reader on arbitrary bytes: as a program file and as an icon file,
// at both sizes, decoding whatever it chooses.
#include <cstddef>
#include <cstdint>

#include "transfer/PeIcons.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const pe::Bytes bytes(data, size);
    for (int side : {16, 32}) {
        if (const auto img = pe::ReadProgramIcon(bytes, side))
            if (img->png.empty() && img->argb.size() != std::size_t(img->width) * img->height)
                __builtin_trap();
        if (const auto img = pe::ReadIconFile(bytes, side))
            if (img->png.empty() && img->argb.size() != std::size_t(img->width) * img->height)
                __builtin_trap();
    }
    pe::DecodeIconImage(bytes);
    return 0;
}
