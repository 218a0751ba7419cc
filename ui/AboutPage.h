// The page about the program, built into it: handed to the browser as a file
// in a private temporary folder, or shown in a window of the program's own
// when no browser can be started (a bare system has no launcher at all).
#pragma once
#include <QUrl>

class QWidget;

// The page written out once per run (the folder goes when the program ends);
// an empty URL when it cannot be written.
QUrl AboutPageFile();

// The page in a modal window of its own, over `parent`.
void ShowAboutPage(QWidget* parent);
