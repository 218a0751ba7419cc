#include "core/Transparent.h"


std::optional<Colour> TransparentColor(const Editor& e)
{
    if (e.TransparentIndex >= 0 && e.TransparentIndex < PaletteSize)
        return PaletteColors[e.TransparentIndex];
    return std::nullopt;
}

int EraserColorIndex(const Editor& e)
{
    return e.TransparentIndex >= 0 && e.TransparentIndex < PaletteSize ? e.TransparentIndex
                                                                       : ImageBackIndex;
}

void SetBackgroundColours(Editor& e)
{
    const Colour image = PaletteColors[ImageBackIndex];
    for (Surface* s : {static_cast<Surface*>(&e.picMini), &e.Undo1, &e.Undo2})
        s->setBackColour(image);
    e.frmtmpBackColour = PaletteColors[StagingBackIndex];
    e.pic.setBackColour(PaletteColors[StagingBackIndex]);
}
