// The command-line handling on arbitrary words (the input split at NUL bytes,
// as the system delivers arguments): never a crash, and an opened path is
// always the first word.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += char(data[i]);
    }
    if (size == 0)
        words.clear();
    const CommandLine c = ParseCommandLine(words);
    if (c.action == CommandLine::Action::Open && (words.empty() || c.path != words.front()))
        std::abort();
    if (c.action != CommandLine::Action::Open && !c.path.empty())
        std::abort();
    return 0;
}
