// The program's own 32 x 32, 16-colour picture, shown in the about window.
#pragma once
#include <QImage>

// pikselar.ico from the program's folder; a picture drawn in code when the
// file is missing or unreadable, so the window never shows an empty place.
QImage ProgramPicture();
