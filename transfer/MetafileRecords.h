// The record types of a Windows metafile the player knows, by their names in
// the metafile format. Others (mapping mode, palettes, clipping, escapes)
// are read past: pictures do not need them.
#pragma once
#include <QtGlobal>

namespace wmf {

enum Record : quint16 {
    META_EOF = 0x0000,
    // State of the device context.
    META_SAVEDC = 0x001E,
    META_RESTOREDC = 0x0127,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETBKMODE = 0x0102,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETTEXTALIGN = 0x012E,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_OFFSETWINDOWORG = 0x020F,
    META_MOVETO = 0x0214,
    // Objects.
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEPALETTE = 0x00F7,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_CREATEREGION = 0x06FF,
    META_SELECTOBJECT = 0x012D,
    META_DELETEOBJECT = 0x01F0,
    // Shapes.
    META_LINETO = 0x0213,
    META_SETPIXEL = 0x041F,
    META_RECTANGLE = 0x041B,
    META_ROUNDRECT = 0x061C,
    META_ELLIPSE = 0x0418,
    META_ARC = 0x0817,
    META_PIE = 0x081A,
    META_CHORD = 0x0830,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_POLYPOLYGON = 0x0538,
    // Bitmaps.
    META_PATBLT = 0x061D,
    META_DIBBITBLT = 0x0940,
    META_DIBSTRETCHBLT = 0x0B41,
    META_STRETCHDIB = 0x0F43,
    // Text.
    META_TEXTOUT = 0x0521,
    META_EXTTEXTOUT = 0x0A32,
};

} // namespace wmf
