#include "ui/ButtonPictures.h"

#include <cstring>
#include <initializer_list>

#include <QPainter>
#include <QTransform>

namespace {
// One character per pixel: '.' shows the button, the others are colours.
QImage FromRows(std::initializer_list<const char*> rows)
{
    const int w = int(std::strlen(*rows.begin()));
    QImage image(w, int(rows.size()), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < w && row[x]; ++x) {
            QRgb c = 0;
            switch (row[x]) {
            case 'k': c = qRgb(0, 0, 0); break;
            case 'w': c = qRgb(255, 255, 255); break;
            case 'g': c = qRgb(128, 128, 128); break;
            case 'l': c = qRgb(191, 191, 191); break;
            case 'r': c = qRgb(255, 0, 0); break;
            case 'y': c = qRgb(255, 255, 0); break;
            case 'p': c = qRgb(255, 160, 170); break;
            case 'b': c = qRgb(0, 0, 127); break;
            default: continue;
            }
            image.setPixel(x, y, c);
        }
        ++y;
    }
    return image;
}

QImage Pencil()
{
    return FromRows({
        "...................", "...............kk..", "..............kppk.",
        ".............kpppk.", "............kgppk..", "...........kyggk...",
        "..........kyyyk....", ".........kyyyk.....", "........kyyyk......",
        ".......kyyyk.......", "......kyyyk........", ".....kyyyk.........",
        "....kwyyk..........", "....kwwk...........", "...kwwk............",
        "...kkk.............", "..k................", "...................",
        "...................",
    });
}

QImage Line()
{
    QImage image(19, 19, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int i = 2; i <= 16; ++i) {
        image.setPixel(i, 18 - i, qRgb(0, 0, 0));
        if (i < 16)
            image.setPixel(i + 1, 18 - i, qRgb(0, 0, 0));
    }
    return image;
}

QImage Square(bool filled)
{
    QImage image(19, 19, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 3; y <= 15; ++y)
        for (int x = 3; x <= 15; ++x) {
            const bool edge = x < 5 || x > 13 || y < 5 || y > 13;
            if (edge)
                image.setPixel(x, y, qRgb(0, 0, 0));
            else if (filled)
                image.setPixel(x, y, qRgb(0, 0, 127));
        }
    return image;
}

QImage LetterA()
{
    return FromRows({
        "...................", "...................", "........rrr........",
        "........rrr........", "........rrr........", "........rrr........",
        ".......rr.rr.......", ".......rr.rr.......", "......rr...rr......",
        "......rr...rr......", "......rr...rr......", ".....rrrrrrrrr.....",
        ".....rrrrrrrrr.....", "....rr.......rr....", "....rr.......rr....",
        "...rr.........rr...", "...rr.........rr...", "...................",
        "...................",
    });
}

// A block seen from above and the right; pink front, or white with red stripes.
QImage Eraser(bool striped)
{
    QImage image = FromRows({
        "....kkkkkkkkkkk", "...kwwwwwwwwwkk", "..kwwwwwwwwwkgk",
        ".kwwwwwwwwwkggk", "kkkkkkkkkkkgggk", "kfffffffffkgggk",
        "kfffffffffkgggk", "kfffffffffkgggk", "kfffffffffkgggk",
        "kfffffffffkggk.", "kfffffffffkgk..", "kfffffffffkk...",
        "kkkkkkkkkkk....",
    });
    // The front face ('f', not in the colour map): rows 5..11, columns 1..9.
    for (int y = 5; y <= 11; ++y)
        for (int x = 1; x <= 9; ++x) {
            const bool stripe = striped && (x + y) % 4 < 2;
            image.setPixel(x, y, stripe ? qRgb(255, 0, 0) : striped ? qRgb(255, 255, 255)
                                                                    : qRgb(255, 160, 170));
        }
    return image;
}

QImage UpArrow()
{
    return FromRows({
        "......k......", ".....kwk.....", "....kwwwk....", "...kwwwwwk...",
        "..kwwwwwwwk..", ".kwwwwwwwwwk.", "kkkkwwwwwkkkk", "...kwwwwwk...",
        "...kwwwwwk...", "...kwwwwwk...", "...kwwwwwk...", "...kwwwwwk...",
        "...kkkkkkk...",
    });
}
} // namespace

QImage ToolPicture(int index)
{
    switch (index) {
    case 0: return Pencil();
    case 1: return Line();
    case 2: return Square(false);
    case 3: return Square(true);
    case 4: return LetterA();
    case 6: return Eraser(false);
    case 7: return Eraser(true);
    default: return {};
    }
}

QImage ArrowPicture(int direction)
{
    // Quarter turns are exact: the arrows stay pixel maps.
    static constexpr int degrees[] = {0, 270, 180, 90};
    if (direction < 0 || direction > 3)
        return {};
    return UpArrow().transformed(QTransform().rotate(degrees[direction]));
}

const QImage& SelectionMarker()
{
    // A black and a white ring: visible on every palette colour, and the
    // colour itself still shows inside.
    static const QImage marker = [] {
        QImage image(20, 20, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setPen(Qt::black);
        p.drawRect(4, 4, 11, 11);
        p.drawRect(7, 7, 5, 5);
        p.setPen(Qt::white);
        p.drawRect(5, 5, 9, 9);
        p.drawRect(6, 6, 7, 7);
        return image;
    }();
    return marker;
}
