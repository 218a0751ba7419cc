#include "ui/FontWarmUp.h"

#include <pthread.h>
#include <sched.h>

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
    if (warmUp.thread.joinable())
        return;
    warmUp.thread = std::thread([] {
        // Only a core nobody else needs: the X server answering the main
        // thread comes first, or the window would map later, not earlier.
        const sched_param idle{};
        pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
        FcInit();
    });
}

void FinishFontWarmUp()
{
    if (warmUp.thread.joinable())
        warmUp.thread.join();
}
