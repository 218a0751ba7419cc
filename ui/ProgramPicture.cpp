#include "ui/ProgramPicture.h"

#include <QDir>

#include "core/Editor.h"
#include "core/Palette.h"
#include "files/FileBytes.h"
#include "files/IconReader.h"
#include "core/Surface.h"
#include "qt/QtColour.h"

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
    return ToImage(s);
}
} // namespace

QImage ProgramPicture(const QString& folder, Colour back)
{
    // Read by our own icon reader: the picture is exactly what Pikselar saved.
    const auto bytes = ReadFileStart(QDir(folder).filePath(QStringLiteral("pikselar.ico")),
                                     IconFileSize);
    Surface picture(ImageSize, ImageSize, back);
    if (bytes && DecodeIcon(*bytes, picture))
        return ToImage(picture);
    return DrawnPicture();
}
