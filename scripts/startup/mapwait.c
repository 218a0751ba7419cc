/* Starts a program and reports the milliseconds from exec to the first
 * top-level window it maps on the X display, from exec to the first drawing
 * into that window (its first frame, seen through the DAMAGE extension), and
 * the peak resident set size of the program once it has been ended.
 * Usage: mapwait SETTLE_MS PROGRAM [ARGS...]
 * Prints: "<map ms> <peak rss kB> <first frame ms>" on standard output. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: mapwait SETTLE_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    int settle = atoi(argv[1]);
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "mapwait: no X display\n");
        return 2;
    }
    int damageEvent, damageError;
    if (!XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        fprintf(stderr, "mapwait: the X server has no DAMAGE extension\n");
        return 2;
    }
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    double start = now_ms();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double mapped = -1, drawn = -1;
    Window shown = None;
    struct pollfd pfd = {ConnectionNumber(dpy), POLLIN, 0};
    while (drawn < 0 && now_ms() - start < 20000) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            /* Watched from its creation, so that no drawing can come first. */
            if (ev.type == CreateNotify && !ev.xcreatewindow.override_redirect)
                XDamageCreate(dpy, ev.xcreatewindow.window, XDamageReportNonEmpty);
            if (ev.type == MapNotify && !ev.xmap.override_redirect && mapped < 0) {
                mapped = now_ms() - start;
                shown = ev.xmap.window;
            }
            if (ev.type == damageEvent + XDamageNotify && mapped >= 0 &&
                ((XDamageNotifyEvent *)&ev)->drawable == shown && drawn < 0)
                drawn = now_ms() - start;
        }
        if (drawn < 0)
            poll(&pfd, 1, 5);
        if (waitpid(child, NULL, WNOHANG) == child) {
            fprintf(stderr, "mapwait: program ended before mapping a window\n");
            return 1;
        }
    }
    usleep(settle * 1000);
    kill(child, SIGTERM);
    int status;
    struct rusage ru;
    for (int i = 0; i < 200; ++i) {
        if (wait4(child, &status, WNOHANG, &ru) == child)
            goto done;
        usleep(10000);
    }
    kill(child, SIGKILL);
    wait4(child, &status, 0, &ru);
done:
    if (drawn < 0) {
        fprintf(stderr, "mapwait: no window mapped and drawn within 20 s\n");
        return 1;
    }
    printf("%.1f %ld %.1f\n", mapped, ru.ru_maxrss, drawn);
    return 0;
}
