// Times one real key press or click on an X server until a region of the screen is painted.
//
//   painttime [--key KEYSYM] [--click X,Y] --region X,Y,W,H [--min-width N] [--min-height N]
//             [--changed PIXELS] [--timeout MS]
//
// The key or click goes in through XTEST, as xdotool sends it. Damage to the root window (and so
// to every window on the screen) is watched from before it; the first damaged rectangle at least
// `--min-width` pixels wide (and `--min-height` high) that meets the region ends the wait. Prints the milliseconds from
// the key (or click) sent to that damage reported, or "timeout". A caret's blink repaints a
// rectangle a few pixels wide: a wider minimum leaves it out. With --changed, the damage must
// also have changed that many pixels of the region from what it showed before the key: a box
// drawn again unchanged (or a caret's blink) is no answer.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>

#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double nowMs(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Whether at least `pixels` pixels of the region, within the damaged rectangle, differ from
// `before` (the region as it was) now.
static int changedSince(Display *display, Window root, XImage *before, int rx, int ry, int x, int y, int width,
                        int height, int pixels)
{
    if (!before)
        return 1;
    const int left = x > rx ? x : rx, top = y > ry ? y : ry;
    const int right = x + width < rx + before->width ? x + width : rx + before->width;
    const int bottom = y + height < ry + before->height ? y + height : ry + before->height;
    if (right <= left || bottom <= top)
        return 0;
    XImage *now = XGetImage(display, root, left, top, right - left, bottom - top, AllPlanes, ZPixmap);
    int changed = 0;
    if (now->bits_per_pixel == 32 && before->bits_per_pixel == 32) {
        // Straight from the images' memory: XGetPixel() costs this process milliseconds for a box
        // drawn again unchanged, and it shares the processors with the program it times.
        for (int j = 0; j < now->height && changed < pixels; ++j) {
            const uint32_t *a = (const uint32_t *)(now->data + (size_t)j * now->bytes_per_line);
            const uint32_t *b = (const uint32_t *)(before->data + (size_t)(top - ry + j) * before->bytes_per_line) +
                                (left - rx);
            if (memcmp(a, b, (size_t)now->width * 4) == 0)
                continue;
            const uint32_t colour = (uint32_t)(now->red_mask | now->green_mask | now->blue_mask);
            for (int i = 0; i < now->width; ++i)
                changed += ((a[i] ^ b[i]) & colour) != 0;
        }
    } else {
        for (int j = 0; j < now->height && changed < pixels; ++j) {
            for (int i = 0; i < now->width; ++i)
                changed += XGetPixel(now, i, j) != XGetPixel(before, left - rx + i, top - ry + j);
        }
    }
    XDestroyImage(now);
    return changed >= pixels;
}

int main(int argc, char **argv)
{
    const char *key = NULL;
    int clickX = -1, clickY = -1;
    int rx = 0, ry = 0, rw = 0, rh = 0;
    int minWidth = 0;
    int minHeight = 0;
    int timeoutMs = 10000;
    int changedPixels = 0;
    // With PAINTTIME_LOG set, every damaged rectangle is written to stderr until the timeout.
    const int logAll = getenv("PAINTTIME_LOG") != NULL;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!strcmp(argv[i], "--key"))
            key = argv[i + 1];
        else if (!strcmp(argv[i], "--click"))
            sscanf(argv[i + 1], "%d,%d", &clickX, &clickY);
        else if (!strcmp(argv[i], "--region"))
            sscanf(argv[i + 1], "%d,%d,%d,%d", &rx, &ry, &rw, &rh);
        else if (!strcmp(argv[i], "--min-width"))
            minWidth = atoi(argv[i + 1]);
        else if (!strcmp(argv[i], "--min-height"))
            minHeight = atoi(argv[i + 1]);
        else if (!strcmp(argv[i], "--changed"))
            changedPixels = atoi(argv[i + 1]);
        else if (!strcmp(argv[i], "--timeout"))
            timeoutMs = atoi(argv[i + 1]);
    }
    if ((!key && clickX < 0) || rw <= 0 || rh <= 0) {
        fprintf(stderr, "usage: painttime [--key KEYSYM] [--click X,Y] --region X,Y,W,H [--min-width N]\n");
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "painttime: no display\n");
        return 1;
    }
    int damageEvent, damageError, ignored;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError) ||
        !XTestQueryExtension(display, &ignored, &ignored, &ignored, &ignored)) {
        fprintf(stderr, "painttime: the X server lacks DAMAGE or XTEST\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    const Damage damage = XDamageCreate(display, root, XDamageReportRawRectangles);
    KeyCode code = 0;
    if (key) {
        code = XKeysymToKeycode(display, XStringToKeysym(key));
        if (!code) {
            fprintf(stderr, "painttime: no key %s\n", key);
            return 1;
        }
    } else {
        XTestFakeMotionEvent(display, -1, clickX, clickY, 0);
    }
    XSync(display, False);
    // What was damaged before the key is no answer.
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }
    XImage *before = changedPixels > 0 ? XGetImage(display, root, rx, ry, rw, rh, AllPlanes, ZPixmap) : NULL;
    const double sent = nowMs();
    if (key) {
        XTestFakeKeyEvent(display, code, True, 0);
        XTestFakeKeyEvent(display, code, False, 0);
    } else {
        XTestFakeButtonEvent(display, 1, True, 0);
        XTestFakeButtonEvent(display, 1, False, 0);
    }
    XFlush(display);
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != damageEvent + XDamageNotify)
                continue;
            const double at = nowMs();
            const XDamageNotifyEvent *notify = (const XDamageNotifyEvent *)&event;
            const XRectangle *area = &notify->area;
            const int x = notify->geometry.x + area->x;
            const int y = notify->geometry.y + area->y;
            if (logAll)
                fprintf(stderr, "%.1f %d,%d %dx%d\n", at - sent, x, y, area->width, area->height);
            if (area->width >= minWidth && area->height >= minHeight && x < rx + rw && x + area->width > rx &&
                y < ry + rh && y + area->height > ry &&
                changedSince(display, root, before, rx, ry, x, y, area->width, area->height, changedPixels)) {
                printf("%.1f\n", at - sent);
                if (logAll)
                    continue;
                XDamageDestroy(display, damage);
                XCloseDisplay(display);
                return 0;
            }
        }
        const double left = timeoutMs - (nowMs() - sent);
        if (left <= 0)
            break;
        struct pollfd wait = {fd, POLLIN, 0};
        poll(&wait, 1, (int)left + 1);
    }
    printf("timeout\n");
    return 3;
}
