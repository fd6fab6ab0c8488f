// Preloaded into the real game by the measuring scripts. It always tells on standard error
// when the first frame is presented and how many frames are presented per second; with
// PONDLARK_PROBE_STARTUP=1 it also times the library calls start-up is made of.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>

typedef struct SDL_Window SDL_Window;

static double wall_seconds(void) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

static int startup_log = -1;
static double loaded_at;

static int logging(void) {
    if (startup_log < 0) {
        const char* flag = getenv("PONDLARK_PROBE_STARTUP");
        startup_log = flag && *flag == '1';
    }
    return startup_log;
}

__attribute__((constructor)) static void probe_loaded(void) {
    loaded_at = wall_seconds();
    if (logging()) fprintf(stderr, "probe: loaded at %.6f\n", loaded_at);
}

static void note(const char* what, const char* detail, double start) {
    if (!logging()) return;
    double now = wall_seconds();
    fprintf(stderr, "probe: %8.1f ms %-22s %7.2f ms %s\n", 1000 * (start - loaded_at), what,
            1000 * (now - start), detail ? detail : "");
}

// The library's own function of the same name, looked up once.
#define REAL(name)                        \
    static __typeof__(&name) real_##name; \
    if (!real_##name) real_##name = (__typeof__(&name))dlsym(RTLD_NEXT, #name)

static long long frames;
static long long reported_frames;
static double reported_at;

void SDL_GL_SwapWindow(SDL_Window* window) {
    REAL(SDL_GL_SwapWindow);
    real_SDL_GL_SwapWindow(window);
    double now = wall_seconds();
    if (frames++ == 0) {
        // Processor time is what start-up costs on an idle machine, whatever else runs.
        struct rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        fprintf(stderr, "swap-probe: first frame at %.6f after %.0f ms of processor time\n", now,
                1000.0 * (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0);
        if (logging()) fprintf(stderr, "probe: %8.1f ms first frame\n", 1000 * (now - loaded_at));
        reported_at = now;
        reported_frames = 1;
    } else if (now - reported_at >= 1.0) {
        fprintf(stderr, "swap-probe: %.1f frames/s\n",
                (double)(frames - reported_frames) / (now - reported_at));
        reported_at = now;
        reported_frames = frames;
    }
}

int SDL_Init(unsigned flags) {
    REAL(SDL_Init);
    double start = wall_seconds();
    int result = real_SDL_Init(flags);
    note("SDL_Init", NULL, start);
    return result;
}

SDL_Window* SDL_CreateWindow(const char* title, int x, int y, int w, int h, unsigned flags) {
    REAL(SDL_CreateWindow);
    double start = wall_seconds();
    SDL_Window* window = real_SDL_CreateWindow(title, x, y, w, h, flags);
    note("SDL_CreateWindow", title, start);
    return window;
}

void* SDL_CreateRenderer(SDL_Window* window, int index, unsigned flags) {
    REAL(SDL_CreateRenderer);
    double start = wall_seconds();
    void* renderer = real_SDL_CreateRenderer(window, index, flags);
    note("SDL_CreateRenderer", NULL, start);
    return renderer;
}

void SDL_RenderPresent(void* renderer) {
    REAL(SDL_RenderPresent);
    double start = wall_seconds();
    real_SDL_RenderPresent(renderer);
    note("SDL_RenderPresent", "loading window", start);
}

void* SDL_GL_CreateContext(SDL_Window* window) {
    REAL(SDL_GL_CreateContext);
    double start = wall_seconds();
    void* context = real_SDL_GL_CreateContext(window);
    note("SDL_GL_CreateContext", NULL, start);
    return context;
}

void* TTF_OpenFont(const char* file, int size) {
    REAL(TTF_OpenFont);
    double start = wall_seconds();
    void* font = real_TTF_OpenFont(file, size);
    note("TTF_OpenFont", file, start);
    return font;
}

void* alcOpenDevice(const char* name) {
    REAL(alcOpenDevice);
    double start = wall_seconds();
    void* device = real_alcOpenDevice(name);
    note("alcOpenDevice", name, start);
    return device;
}

void* sf_open(const char* path, int mode, void* info) {
    REAL(sf_open);
    double start = wall_seconds();
    void* file = real_sf_open(path, mode, info);
    note("sf_open", path, start);
    return file;
}

void glTexImage2D(unsigned target, int level, int internal, int width, int height, int border,
                  unsigned format, unsigned type, const void* pixels) {
    REAL(glTexImage2D);
    double start = wall_seconds();
    real_glTexImage2D(target, level, internal, width, height, border, format, type, pixels);
    char size[32];
    snprintf(size, sizeof size, "%dx%d", width, height);
    note("glTexImage2D", size, start);
}

int gluBuild2DMipmaps(unsigned target, int components, int width, int height, unsigned format,
                      unsigned type, const void* data) {
    REAL(gluBuild2DMipmaps);
    double start = wall_seconds();
    int result = real_gluBuild2DMipmaps(target, components, width, height, format, type, data);
    char size[32];
    snprintf(size, sizeof size, "%dx%d", width, height);
    note("gluBuild2DMipmaps", size, start);
    return result;
}

int SDL_InitSubSystem(unsigned flags) {
    REAL(SDL_InitSubSystem);
    double start = wall_seconds();
    int result = real_SDL_InitSubSystem(flags);
    char detail[32];
    snprintf(detail, sizeof detail, "flags %#x", flags);
    note("SDL_InitSubSystem", detail, start);
    return result;
}

void SDL_ShowWindow(SDL_Window* window) {
    REAL(SDL_ShowWindow);
    double start = wall_seconds();
    real_SDL_ShowWindow(window);
    note("SDL_ShowWindow", NULL, start);
}

// The first clear starts the first frame.
void glClear(unsigned mask) {
    REAL(glClear);
    static int cleared;
    if (!cleared++) note("glClear", "first frame begins", wall_seconds());
    real_glClear(mask);
}
