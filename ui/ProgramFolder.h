// Where the program's own files live: beside the executable when header.dat
// lies there (the build tree, a portable copy), else the installed data folder.
#pragma once
#include <QString>

QString ProgramFolder();

// opcje.dat: in the executable's own folder when that is the program folder
// and writable (a portable copy keeps its options with it); otherwise in the
// user's configuration folder, pikselar/opcje.dat, so an installed program
// keeps one set of options per user and never writes into its data folder.
// Empty when there is no such folder: the options are then not kept.
QString OptionsFile();

// XDG_CONFIG_HOME when it is an absolute name, else HOME/.config when HOME is
// an absolute name of a folder; empty when neither.
QString UserConfigFolder();

// Qt's own settings (the file dialog's history) in UserConfigFolder, and
// nowhere when there is none.
void KeepQtSettingsInConfigFolder();
