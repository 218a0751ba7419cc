// Loads fontconfig's configuration on a second thread while Qt connects to
// the display. The window's first layout needs the font database, and
// fontconfig parsing its configuration files is the largest part of it.
#pragma once
#include <thread>

class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Waits for the configuration. Call before the first font is used, so
    // that fontconfig is not set up twice at once.
    void wait();

private:
    std::thread thread_;
};
