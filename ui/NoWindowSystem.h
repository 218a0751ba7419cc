// Start-up without a reachable window system: Qt would abort with its own
// English advice and a core dump. While the guard lives (around the making of
// the application object), that end is turned into one line in Polish on
// stderr and exit status 1.
#pragma once

class NoWindowSystemGuard {
public:
    NoWindowSystemGuard();
    ~NoWindowSystemGuard();
    NoWindowSystemGuard(const NoWindowSystemGuard&) = delete;
    NoWindowSystemGuard& operator=(const NoWindowSystemGuard&) = delete;

    // The window system was reached: Qt's messages go where they went before,
    // the platform's notes held so far included.
    void release();
};

// The line printed when no window system can be reached.
inline constexpr const char* NoWindowSystemMessage =
    "pikselar: nie można połączyć się z systemem okien (DISPLAY i WAYLAND_DISPLAY nie wskazują "
    "działającego serwera)\n";
