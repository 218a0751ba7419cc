#include "ui/ProgramPicture.h"

#include <QDir>

#include "core/Palette.h"
#include "core/Surface.h"
#include "ui/ProgramFolder.h"
#include "ui/QtColour.h"

namespace {
// The sixteen palette colours as a 4 x 4 grid of swatches on white.
QImage DrawnPicture()
{
    Surface s(32, 32, PaletteColors[8]);
    s.rectangle(0, 0, 31, 31, PaletteColors[0]);
    for (int i = 0; i < PaletteSize; ++i) {
        const int x = 2 + 7 * (i % 4);
        const int y = 2 + 7 * (i / 4);
        s.rectangle(x, y, x + 6, y + 6, PaletteColors[0]);
        s.fillRect(x + 1, y + 1, x + 5, y + 5, PaletteColors[i]);
    }
    return WrapSurface(s).copy();
}
} // namespace

QImage ProgramPicture()
{
    const QImage file(QDir(ProgramFolder()).filePath(QStringLiteral("pikselar.ico")));
    if (file.width() == 32 && file.height() == 32)
        return file;
    return DrawnPicture();
}
