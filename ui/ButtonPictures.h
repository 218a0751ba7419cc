// The pictures of the tool and arrow buttons, drawn from small pixel maps so
// they stay exact at every scale.
#pragma once
#include <QImage>

// Toolbar(0..7): pencil, line, outlined square, filled square, red "A",
// nothing (a null image), eraser, eraser with red stripes.
QImage ToolPicture(int index);
// cmdKey(0..3): white arrows up, left, down, right.
QImage ArrowPicture(int direction);
