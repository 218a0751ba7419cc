// The pointer over the canvas while the next click fills or takes a colour.
#pragma once
#include <QCursor>

// A tipped paint can pouring; the hot spot is the drop's tip.
QCursor FillCursor();
// A pipette; the hot spot is its tip.
QCursor PickCursor();
