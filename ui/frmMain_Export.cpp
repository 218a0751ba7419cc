// Plik → Eksportuj do PNG: the image for today's desktops, see-through where
// the transparent colour is, written with the same safe replace as Save.
#include <QBuffer>
#include <QFileInfo>
#include <QImage>

#include "core/Transparent.h"
#include "files/SafeFile.h"
#include "ui/Dialogs.h"
#include "ui/frmMain.h"

namespace {
// The image as 32 x 32 RGBA: every colour exactly as shown, the transparent
// colour's cells at alpha 0.
QImage ExportImage(const Editor& e)
{
    const std::optional<Colour> transparent = TransparentColor(e);
    QImage image(ImageSize, ImageSize, QImage::Format_ARGB32);
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x) {
            const Colour c = e.picMini.pixel(x, y);
            image.setPixel(x, y, transparent && c == *transparent ? qRgba(0, 0, 0, 0)
                                                                  : qRgba(Red(c), Green(c), Blue(c), 255));
        }
    return image;
}
} // namespace

void frmMain::mnuEksportuj_Click()
{
    const std::optional<QString> chosen =
        dialogs().saveFile(this, tr("Eksportuj do PNG"), tr("Obrazy PNG (*.png)|*.png"), QString());
    if (!chosen)
        return; // cancelled: nothing to say
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    if (!ZapiszPng(path))
        PokażBłądZapisu();
}

bool frmMain::ZapiszPng(const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!ExportImage(e_).save(&buffer, "PNG"))
        return false;
    return ReplaceFile(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       std::size_t(bytes.size())));
}
