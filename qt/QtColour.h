// The one place where colour values meet Qt's colours and images.
#pragma once
#include <QColor>
#include <QImage>

#include "core/Surface.h"

inline QColor ToQColor(Colour c) { return QColor(Red(c), Green(c), Blue(c)); }
inline Colour FromQRgb(QRgb c) { return Rgb(qRed(c), qGreen(c), qBlue(c)); }

// A view of the surface's raster without a copy, for painting only: Colour's
// byte order (R, G, B, unused) is Qt's RGBX8888, whose fourth byte Qt assumes
// to be 255 but ours is 0, so a copy or conversion of it would come out fully
// transparent. Take copies with ToImage(). Valid while the surface keeps its size.
inline QImage WrapSurface(const Surface& s)
{
    return QImage(reinterpret_cast<const uchar*>(s.pixels()), s.width(), s.height(),
                  s.width() * int(sizeof(Colour)), QImage::Format_RGBX8888);
}

// An opaque copy of the surface's pixels.
inline QImage ToImage(const Surface& s)
{
    return WrapSurface(s).convertToFormat(QImage::Format_RGB32);
}

// A picture as a surface: partly transparent pixels are blended over the back
// colour, fully transparent ones show it.
Surface SurfaceFromImage(const QImage& image, Colour back);
