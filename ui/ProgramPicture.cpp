#include "ui/ProgramPicture.h"

#include <QFile>
#include <QPixmap>

#include "core/Editor.h"
#include "core/Palette.h"
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

QImage ProgramPicture(Colour back, const QString& iconFile)
{
    // Read by our own icon reader: the picture is exactly what Pikselar saved.
    // QFile, not the regular-file reader of the icon commands: the built-in
    // icon is a resource, and the path is the program's own.
    QFile file(iconFile);
    Surface picture(ImageSize, ImageSize, back);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray data = file.read(IconFileSize);
        const auto* begin = reinterpret_cast<const std::uint8_t*>(data.constData());
        if (DecodeIcon(std::span<const std::uint8_t>(begin, std::size_t(data.size())), picture))
            return ToImage(picture);
    }
    return DrawnPicture();
}

QIcon ProgramIcon()
{
    // Our own reader rather than Qt's decoder, whose plug-ins took about 10 ms
    // of the start-up to load. The reader shows the mask in a back colour;
    // read on two, a pixel that differs is a masked, transparent one.
    const QImage onBlack = ProgramPicture(PaletteColors[0]);
    const QImage onWhite = ProgramPicture(PaletteColors[8]);
    QImage icon = onBlack.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (onBlack.pixel(x, y) != onWhite.pixel(x, y))
                icon.setPixel(x, y, qRgba(0, 0, 0, 0));
    return QIcon(QPixmap::fromImage(icon));
}
