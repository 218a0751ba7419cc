// A fixed-size area of a window held in a scroll area, so that at a large
// scale factor the window still fits the screen's available area; the area
// keeps its exact pixels and its own coordinates, only the part shown moves.
#pragma once

class QScrollArea;
class QWidget;

// The scroll area (no frame, scroll bars only when needed) that holds `area`.
QScrollArea* HoldInScrollArea(QWidget* area, QWidget* parent);

// Sizes the scroll area to its area, or less where the screen of `owner`
// (or its own) has no room: room is left for a window manager's frame (the
// owner's is the guess) and for `above` pixels of the window above the area.
void FitToScreen(QScrollArea* scroll, const QWidget* owner, int above);
