// Key-to-screen latency of the real game: presses Down and Up on the title screen through
// XTest and times how long the next entry's row takes to change on screen, read back from
// the X server. Presses are spread over the frame's phase by random pauses.
// Usage: key_latency WINDOW PRESSES
// Prints one latency in milliseconds per line, then the median and the maximum.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

// Rows of the first two title entries, marker included, in an 800 x 600 window.
typedef struct {
    int x, y, width, height;
} Rect;
static const Rect kRows[2] = {{30, 272, 290, 24}, {30, 314, 360, 24}};

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

static void sleep_ms(double ms) {
    struct timespec t = {(time_t)(ms / 1000), (long)((ms - (time_t)(ms / 1000) * 1000) * 1e6)};
    nanosleep(&t, NULL);
}

// The region's pixels, packed, into buffer (width * height values).
static void grab(Display* display, Window window, Rect r, unsigned long* buffer) {
    XImage* image = XGetImage(display, window, r.x, r.y, r.width, r.height, AllPlanes, ZPixmap);
    if (!image) {
        fprintf(stderr, "key_latency: cannot read the window\n");
        exit(1);
    }
    for (int y = 0; y < r.height; ++y) {
        for (int x = 0; x < r.width; ++x) buffer[y * r.width + x] = XGetPixel(image, x, y);
    }
    XDestroyImage(image);
}

static int changed_pixels(const unsigned long* a, const unsigned long* b, int count) {
    int changed = 0;
    for (int i = 0; i < count; ++i) changed += a[i] != b[i];
    return changed;
}

static int by_value(const void* a, const void* b) {
    const double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: key_latency WINDOW PRESSES\n");
        return 2;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    const int presses = atoi(argv[2]);
    Display* display = XOpenDisplay(NULL);
    if (!display || presses < 1) return 2;
    const KeyCode keys[2] = {XKeysymToKeycode(display, XK_Up), XKeysymToKeycode(display, XK_Down)};
    double* latencies = calloc((size_t)presses, sizeof *latencies);
    unsigned long* before = calloc(360 * 24, sizeof *before);
    unsigned long* after = calloc(360 * 24, sizeof *after);
    srand((unsigned)time(NULL));

    // The highlight starts on entry 0: Down moves it to row 1, Up back to row 0.
    for (int i = 0; i < presses; ++i) {
        const int target = (i + 1) % 2;
        const Rect row = kRows[target];
        const int count = row.width * row.height;
        // 200 ms plus up to one frame more, so the press lands anywhere in a frame.
        sleep_ms(200 + 16.7 * rand() / RAND_MAX);
        grab(display, window, row, before);
        const double start = now_ms();
        XTestFakeKeyEvent(display, keys[target], True, CurrentTime);
        XFlush(display);
        double end = start;
        do {
            grab(display, window, row, after);
            end = now_ms();
        } while (changed_pixels(before, after, count) < 20 && end - start < 1000);
        XTestFakeKeyEvent(display, keys[target], False, CurrentTime);
        XFlush(display);
        latencies[i] = end - start;
        printf("%.1f\n", latencies[i]);
    }
    qsort(latencies, (size_t)presses, sizeof *latencies, by_value);
    const double median = presses % 2 ? latencies[presses / 2]
                                      : (latencies[presses / 2 - 1] + latencies[presses / 2]) / 2;
    printf("median %.1f ms, max %.1f ms over %d presses\n", median, latencies[presses - 1],
           presses);
    XCloseDisplay(display);
    return 0;
}
