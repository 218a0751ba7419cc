// The program's arguments from argv to the command line's meaning, keeping
// every byte of every name (see NameFromNative).
#pragma once
#include <QStringList>

#include "files/CommandLine.h"

// argv[1..argc-1] as words. Not QCoreApplication::arguments(): that turns the
// bytes of a name that is not UTF-8 into U+FFFD, whatever the locale.
QStringList WordsFromArgv(int argc, const char* const* argv);
// What the words ask for; an Open path is in the file system's bytes.
CommandLine ParseWords(const QStringList& words);
