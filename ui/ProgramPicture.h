// The program's own 32 x 32, 16-colour picture, shown in the about window,
// and the program's window icon.
#pragma once
#include <QIcon>
#include <QImage>
#include <QString>

#include "core/Colour.h"
#include "ui/ProgramResources.h"

// An icon file (by default the program's, built in) read by our own icon
// reader, its transparent pixels in `back`; a picture drawn in code when the
// file is missing or refused, so the window never shows an empty place.
QImage ProgramPicture(Colour back, const QString& iconFile = ProgramResource(ProgramIconName));

// The built-in icon for the windows, its masked pixels transparent.
QIcon ProgramIcon();
