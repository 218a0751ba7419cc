// Where the program's own files live: beside the executable when header.dat
// lies there (the build tree, a portable copy), else the installed data folder.
#pragma once
#include <QString>

QString ProgramFolder();
