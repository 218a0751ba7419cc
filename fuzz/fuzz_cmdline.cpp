// The command line as the program reads it, on arbitrary arguments (the input
// split at NUL bytes, as the system delivers them): argv to words
// (WordsFromArgv, as main does), words to the action (ParseWords, as
// Parametry does). Never a crash; an opened path is the first argument's
// bytes exactly, and its name decodes and encodes back to them.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/Arguments.h"
#include "files/NativeNames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args{"pikselar", ""};
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += char(data[i]);
    }
    if (size == 0)
        args.pop_back();
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    argv.push_back(nullptr);

    const QStringList words = WordsFromArgv(int(args.size()), argv.data());
    if (words.size() != qsizetype(args.size()) - 1)
        std::abort();
    for (qsizetype i = 0; i < words.size(); ++i)
        if (NativeName(words[i]).toStdString() != args[size_t(i) + 1])
            std::abort();
    const CommandLine c = ParseWords(words);
    if (c.action == CommandLine::Action::Open
        && (args.size() < 2 || c.path != args[1] || NativeName(NameFromNative(c.path)).toStdString() != c.path))
        std::abort();
    if (c.action != CommandLine::Action::Open && !c.path.empty())
        std::abort();
    return 0;
}
