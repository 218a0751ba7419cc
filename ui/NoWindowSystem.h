// Start-up without a reachable window system: Qt would abort with its own
// English advice and a core dump. While the guard lives (around the making of
// the application object), that end is turned into one line in the interface's
// language on stderr and exit status 1.
#pragma once
#include <string>

#include "core/Translatable.h"

// The line printed when no window system can be reached.
inline constexpr const char* NoWindowSystemMessage = QT_TRANSLATE_NOOP("NoWindowSystem",
    "pikselar: nie można połączyć się z systemem okien (DISPLAY i WAYLAND_DISPLAY nie wskazują "
    "działającego serwera)\n");

class NoWindowSystemGuard {
public:
    // `line`: the text printed when the window system cannot be reached.
    explicit NoWindowSystemGuard(std::string line = NoWindowSystemMessage);
    ~NoWindowSystemGuard();
    NoWindowSystemGuard(const NoWindowSystemGuard&) = delete;
    NoWindowSystemGuard& operator=(const NoWindowSystemGuard&) = delete;

    // The window system was reached: Qt's messages go where they went before,
    // the platform's notes held so far included.
    void release();
};
