#include "ui/FontWarmUp.h"

#include <thread>

#include <fontconfig/fontconfig.h>

namespace {
// Joined at exit too, should the program end before showing any text.
struct WarmUp {
    std::thread thread;
    ~WarmUp() { FinishFontWarmUp(); }
} warmUp;
} // namespace

void StartFontWarmUp()
{
    if (!warmUp.thread.joinable())
        warmUp.thread = std::thread([] { FcInit(); });
}

void FinishFontWarmUp()
{
    if (warmUp.thread.joinable())
        warmUp.thread.join();
}
