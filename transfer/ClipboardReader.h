// Reads what paste needs from the system clipboard. On X11 another
// program's clipboard is read over a connection of our own on a worker
// thread, with a deadline for its owner; meanwhile the window keeps
// painting and a termination signal is still acted on (user input waits).
// Elsewhere, and for our own copy, Qt's clipboard is read directly. Every
// picture is decoded in the decoding process, under its limits, and given up
// when the application quits.
#pragma once
#include <chrono>

#include "transfer/ClipboardData.h"

// An owner that has not answered everything within this time counts as no
// data.
inline constexpr std::chrono::milliseconds ClipboardOwnerDeadline{2000};

ClipboardContent ReadClipboard(std::chrono::milliseconds deadline = ClipboardOwnerDeadline);
