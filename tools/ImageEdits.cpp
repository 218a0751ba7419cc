#include "tools/ImageEdits.h"

#include "core/FloodFill.h"
#include "core/Transform.h"
#include "core/Undo.h"
#include "tools/CanvasTools.h"

void TurnImage(Editor& e, Turn t)
{
    TakeSnapshot(e);
    switch (t) {
    case Turn::FlipHorizontal: {
        ImageChange change(e.picMini, ChangeCause::FlipHorizontal);
        FlipHorizontal(e.picMini);
        break;
    }
    case Turn::FlipVertical: {
        ImageChange change(e.picMini, ChangeCause::FlipVertical);
        FlipVertical(e.picMini);
        break;
    }
    case Turn::RotateRight: {
        ImageChange change(e.picMini, ChangeCause::RotateRight);
        RotateRight(e.picMini);
        break;
    }
    case Turn::RotateLeft: {
        ImageChange change(e.picMini, ChangeCause::RotateLeft);
        RotateLeft(e.picMini);
        break;
    }
    }
}

bool FillImage(Editor& e, Cell c, bool everywhere)
{
    if (!e.picMini.contains(c.x, c.y) || e.picMini.pixel(c.x, c.y) == e.DrawingColour())
        return false;
    TakeSnapshot(e);
    ImageChange change(e.picMini, everywhere ? ChangeCause::ReplaceColour : ChangeCause::Fill);
    if (everywhere)
        ReplaceColour(e.picMini, c.x, c.y, e.DrawingColour());
    else
        FloodFill(e.picMini, c.x, c.y, e.DrawingColour());
    return true;
}

int PaletteIndexAt(const Surface& s, Cell c)
{
    if (!s.contains(c.x, c.y))
        return -1;
    const Colour colour = s.pixel(c.x, c.y);
    for (int i = 0; i < PaletteSize; ++i)
        if (PaletteColors[i] == colour)
            return i;
    return -1;
}
