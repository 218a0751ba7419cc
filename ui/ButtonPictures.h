// The pictures of the tool and arrow buttons and the colour marker, drawn from small pixel maps so
// they stay exact at every scale.
#pragma once
#include <QImage>

// Toolbar(0..7): pencil, line, outlined square, filled square, red "A",
// nothing (a null image), eraser, eraser with red stripes.
QImage ToolPicture(int index);
// cmdKey(0..3): white arrows up, left, down, right.
QImage ArrowPicture(int direction);
// The 20 x 20 marker of the selected colour button (xsel).
const QImage& SelectionMarker();
