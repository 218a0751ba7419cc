// Room for a window's caption in Qt's own title bar on Wayland (client-side
// decorations): the caption is centred over the whole width and three buttons
// are drawn over its right end, so a narrow dialog would show it clipped.
#pragma once

class QWidget;

// Widens a fixed-size window, when that title bar is drawn, until its caption
// shows whole; the controls keep their places. Elsewhere it does nothing.
void MakeRoomForCaption(QWidget* window);
