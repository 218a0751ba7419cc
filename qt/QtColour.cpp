#include "qt/QtColour.h"

Surface SurfaceFromImage(const QImage& image, Colour back)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Surface s(argb.width(), argb.height(), back);
    Colour* out = s.pixels();
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = row[x];
            const int a = qAlpha(p);
            Colour c = back;
            if (a == 255) {
                c = FromQRgb(p);
            } else if (a > 0) {
                auto mix = [a](int fg, int bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
                c = Rgb(mix(qRed(p), Red(back)), mix(qGreen(p), Green(back)),
                        mix(qBlue(p), Blue(back)));
            }
            out[std::size_t(y) * argb.width() + x] = c;
        }
    }
    return s;
}
