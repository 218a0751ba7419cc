#include "files/Arguments.h"

#include "files/NativeNames.h"

QStringList WordsFromArgv(int argc, const char* const* argv)
{
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << NameFromNative(argv[i]);
    return words;
}

CommandLine ParseWords(const QStringList& words)
{
    std::vector<std::string> native;
    native.reserve(size_t(words.size()));
    for (const QString& w : words)
        native.push_back(NativeName(w).toStdString());
    return ParseCommandLine(native);
}
