// Windows of one size on Wayland. Qt's own title bar there shows a maximise
// button on every window, and a compositor may ask for the maximised or
// fullscreen state by itself; xdg-shell then requires the window to take
// exactly the size it is given, and a window that keeps its one size is cut
// off with a protocol error. So a window of one size takes the given size for
// that moment (its content keeps its place, the rest is background), asks to
// leave the state at once, and returns to its one size.
#pragma once

// From now on, for every window that shows. Does nothing off Wayland.
void KeepFixedSizesOnWayland();
