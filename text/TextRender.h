// Drawing a short text for placement: black on the placement window's back
// colour, without anti-aliasing, so every pixel is one of two palette colours
// and saves exactly as it looks.
#pragma once
#include <QFont>
#include <QSize>
#include <QStringList>

#include "core/Surface.h"

// The font of a run before any choice: 10-point regular DejaVu Sans where it
// is installed, otherwise the system's sans-serif.
QFont InitialTextFont();
// The same font with anti-aliasing switched off, as the drawing uses it.
QFont AliasedFont(const QFont& font);

// The lines of a text: typed text is one line; a pasted text may break lines
// with "\r\n", "\n" or "\r".
QStringList TextLines(const QString& text);
// Width of the widest line by the height of all lines, each at least 32.
QSize TextSize(const QString& text, const QFont& font);
// The text drawn line by line from the top-left corner onto a surface of
// TextSize, filled with `back` elsewhere.
Surface RenderText(const QString& text, const QFont& font, Colour back);
