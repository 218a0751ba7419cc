// The one place where colour values meet Qt's colours and images.
#pragma once
#include <QColor>
#include <QImage>

#include "core/Surface.h"

inline QColor ToQColor(Colour c) { return QColor(Red(c), Green(c), Blue(c)); }
inline Colour FromQRgb(QRgb c) { return Rgb(qRed(c), qGreen(c), qBlue(c)); }

// A view of the surface's raster without a copy: Colour's byte order
// (R, G, B, unused) is Qt's RGBX8888. Valid while the surface is unchanged
// in size.
inline QImage WrapSurface(const Surface& s)
{
    return QImage(reinterpret_cast<const uchar*>(s.pixels()), s.width(), s.height(),
                  s.width() * int(sizeof(Colour)), QImage::Format_RGBX8888);
}

// A picture as a surface: partly transparent pixels are blended over the back
// colour, fully transparent ones show it.
Surface SurfaceFromImage(const QImage& image, Colour back);
