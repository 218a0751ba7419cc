// The program's own 32 x 32, 16-colour picture, shown in the about window.
#pragma once
#include <QImage>
#include <QString>

#include "core/Colour.h"

// pikselar.ico from the folder (the program's), its transparent pixels in `back`;
// a picture drawn in code when the file is missing or refused, so the window
// never shows an empty place.
QImage ProgramPicture(const QString& folder, Colour back);
