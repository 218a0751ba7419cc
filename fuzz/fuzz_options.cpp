// The options reader on arbitrary bytes: never a crash, and whatever it
// accepts is a setting the menu can hold.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/Transparent.h"
#include "files/Options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const StoredOptions s = ParseOptions(std::string_view(reinterpret_cast<const char*>(data), size));
    if (s.transparentIndex && !IsTransparentIndex(*s.transparentIndex))
        std::abort();
    // What the writer makes of it reads back the same.
    std::array<bool, ViewOptionCount> views{};
    for (int i = 0; i < ViewOptionCount; ++i)
        views[i] = s.views[i].value_or(false);
    const StoredOptions again = ParseOptions(FormatOptions(s.transparentIndex.value_or(11), views));
    if (again.transparentIndex != s.transparentIndex.value_or(11))
        std::abort();
    for (int i = 0; i < ViewOptionCount; ++i)
        if (again.views[i] != views[i])
            std::abort();
    return 0;
}
