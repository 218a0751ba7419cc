/* Starts a program and follows the first window of it that becomes visible,
 * with or without a window manager (its own window, not the manager's frame):
 * the milliseconds from exec until it is viewable (mapped), until the first
 * drawing into it (its first frame, seen through the DAMAGE extension), until
 * its last drawing before QUIET_MS without any (visually complete), the
 * number of size or position changes on the screen after it became viewable,
 * and the peak resident set size of the program once it has been ended.
 * Usage: mapwait QUIET_MS PROGRAM [ARGS...]
 * Prints: "<map ms> <peak rss kB> <first frame ms> <complete ms> <changes>".
 * With MAPWAIT_TRACE set, every change and drawing goes to standard error. */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
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

static int ignore_errors(Display *dpy, XErrorEvent *e)
{
    (void)dpy; (void)e; /* windows come and go while we look at them */
    return 0;
}

static long window_pid(Display *dpy, Window w, Atom pidAtom)
{
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char *data = NULL;
    long pid = -1;
    if (XGetWindowProperty(dpy, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &n,
                           &after, &data) == Success && data && n == 1 && format == 32)
        pid = *(long *)data;
    if (data)
        XFree(data);
    return pid;
}

struct place { int x, y; unsigned w, h; };

static int where(Display *dpy, Window w, struct place *p)
{
    Window root, child;
    int x, y;
    unsigned bw, depth;
    if (!XGetGeometry(dpy, w, &root, &x, &y, &p->w, &p->h, &bw, &depth))
        return 0;
    return XTranslateCoordinates(dpy, w, root, 0, 0, &p->x, &p->y, &child);
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: mapwait QUIET_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    int quiet = atoi(argv[1]);
    int trace = getenv("MAPWAIT_TRACE") != NULL;
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "mapwait: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    int damageEvent, damageError;
    if (!XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        fprintf(stderr, "mapwait: the X server has no DAMAGE extension\n");
        return 2;
    }
    Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    double start = now_ms();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double mapped = -1, drawn = -1, last = -1;
    int changes = 0;
    Window shown = None;
    /* Every window made since the start, in case the program maps its window
     * before its map is seen (a busy machine). */
    Window made[256];
    int madeCount = 0;
    struct place at = {0, 0, 0, 0};
    struct pollfd pfd = {ConnectionNumber(dpy), POLLIN, 0};
    for (;;) {
        double t = now_ms() - start;
        if (t > 20000 || (last >= 0 && t - last > quiet))
            break;
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            t = now_ms() - start;
            /* Watched from its creation, so that no drawing can come first.
             * A window manager's frames are watched too, but never chosen:
             * the program's window carries its process id. */
            if (ev.type == CreateNotify && !ev.xcreatewindow.override_redirect) {
                XSelectInput(dpy, ev.xcreatewindow.window, StructureNotifyMask);
                XDamageCreate(dpy, ev.xcreatewindow.window, XDamageReportNonEmpty);
                if (madeCount < 256)
                    made[madeCount++] = ev.xcreatewindow.window;
            }
            if (shown == None) {
                for (int i = 0; i < madeCount && shown == None; ++i) {
                    XWindowAttributes a;
                    if (XGetWindowAttributes(dpy, made[i], &a) && a.map_state != IsUnmapped &&
                        !a.override_redirect && window_pid(dpy, made[i], pidAtom) == child)
                        shown = made[i];
                }
            }
            if (ev.type == damageEvent + XDamageNotify) {
                XDamageNotifyEvent *d = (XDamageNotifyEvent *)&ev;
                XDamageSubtract(dpy, d->damage, None, None);
                if (shown != None && d->drawable == shown && mapped >= 0) {
                    if (drawn < 0)
                        drawn = t;
                    last = t;
                    if (trace)
                        fprintf(stderr, "%8.1f drawn %d,%d %dx%d\n", t, d->area.x, d->area.y,
                                d->area.width, d->area.height);
                }
            }
            if (shown == None)
                continue;
            XWindowAttributes a;
            if (mapped < 0) {
                /* Under a window manager the window is mapped into its frame
                 * first; it is seen once the frame is mapped too. */
                if (XGetWindowAttributes(dpy, shown, &a) && a.map_state == IsViewable &&
                    where(dpy, shown, &at)) {
                    mapped = t;
                    if (trace)
                        fprintf(stderr, "%8.1f mapped %d,%d %ux%u\n", t, at.x, at.y, at.w, at.h);
                }
                continue;
            }
            struct place now;
            if (where(dpy, shown, &now) && memcmp(&now, &at, sizeof now) != 0) {
                ++changes;
                at = now;
                if (trace)
                    fprintf(stderr, "%8.1f moved %d,%d %ux%u\n", t, at.x, at.y, at.w, at.h);
            }
        }
        poll(&pfd, 1, 5);
        if (waitpid(child, NULL, WNOHANG) == child) {
            fprintf(stderr, "mapwait: program ended before it was drawn\n");
            return 1;
        }
    }
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
    printf("%.1f %ld %.1f %.1f %d\n", mapped, ru.ru_maxrss, drawn, last, changes);
    return 0;
}
