#include "platform/window.h"

#include <SDL.h>

#include <cstdio>
#include <string>
#include <thread>

namespace platform {

namespace {

bool BitsMatch(Uint32 format, int bpp) {
    return static_cast<int>(SDL_BITSPERPIXEL(format)) == bpp ||
           static_cast<int>(SDL_BYTESPERPIXEL(format)) * 8 == bpp;
}

void RequestFormat(int depthBits) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, 0);
}

}  // namespace

bool InitVideo() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Pondlark Remake: no display: %s\n", SDL_GetError());
        return false;
    }
    // With no display SDL falls back on drivers that draw where nobody sees; only someone
    // who asks for one by name gets it.
    const char* name = SDL_GetCurrentVideoDriver();
    const std::string driver = name ? name : "";
    if ((driver == "offscreen" || driver == "dummy") && !SDL_getenv("SDL_VIDEODRIVER")) {
        SDL_Quit();
        std::fprintf(stderr,
                     "Pondlark Remake: no display: none could be opened (is DISPLAY or "
                     "WAYLAND_DISPLAY set?)\n");
        return false;
    }
    // The game reads raw keys only; SDL starts text input by default, and with an input
    // method running that could swallow the keys the frogs are steered with.
    SDL_StopTextInput();
    return true;
}

void ShutdownVideo() {
    SDL_Quit();
}

GlWindow::~GlWindow() {
    if (context_) SDL_GL_DeleteContext(context_);
    if (window_) SDL_DestroyWindow(window_);
}

void GlWindow::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (window_) SDL_SetWindowTitle(window_, caption_.c_str());
}

bool GlWindow::RequestFullScreen(const DisplayMode& mode) {
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode offered;
        if (SDL_GetDisplayMode(0, i, &offered) != 0) continue;
        if (offered.w == mode.width && offered.h == mode.height &&
            offered.refresh_rate == mode.hz && BitsMatch(offered.format, mode.bpp)) {
            mode_ = mode;
            fullScreen_ = true;
            return true;
        }
    }
    fullScreen_ = false;
    return false;
}

GLStart GlWindow::CreateGL(int clientWidth, int clientHeight) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    int width = fullScreen_ ? mode_.width : clientWidth;
    int height = fullScreen_ ? mode_.height : clientHeight;
    // The deepest depth buffer the driver offers; 32 bits is rarely there.
    for (int depth : {32, 24, 16}) {
        RequestFormat(depth);
        window_ = SDL_CreateWindow(caption_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   width, height, flags);
        if (window_) break;
    }
    if (!window_) {
        // SDL chooses the format while it makes the window; its words tell which step failed.
        const std::string reason = SDL_GetError();
        std::fprintf(stderr, "Pondlark Remake: %s\n", reason.c_str());
        const bool noFormat = reason.find("visual") != std::string::npos ||
                              reason.find("config") != std::string::npos ||
                              reason.find("format") != std::string::npos;
        return noFormat ? GLStart::NoPixelFormat : GLStart::CannotSetPixelFormat;
    }
    if (fullScreen_) {
        SDL_DisplayMode wanted = {};
        wanted.w = mode_.width;
        wanted.h = mode_.height;
        wanted.refresh_rate = mode_.hz;
        SDL_DisplayMode closest;
        if (SDL_GetClosestDisplayMode(0, &wanted, &closest) &&
            SDL_SetWindowDisplayMode(window_, &closest) == 0 &&
            SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0) {
            SDL_SetWindowAlwaysOnTop(window_, SDL_TRUE);
            SDL_ShowCursor(SDL_DISABLE);
        } else {
            fullScreen_ = false;
        }
    }
    SDL_StopTextInput();
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        std::fprintf(stderr, "Pondlark Remake: %s\n", SDL_GetError());
        return GLStart::NoContext;
    }
    if (SDL_GL_MakeCurrent(window_, context_) != 0) {
        std::fprintf(stderr, "Pondlark Remake: %s\n", SDL_GetError());
        return GLStart::CannotActivate;
    }
    // A synchronised swap paces the loop where the driver allows it.
    pacer_.Start(SDL_GL_SetSwapInterval(1) == 0 && SDL_GL_GetSwapInterval() == 1,
                 FramePacer::Clock::now());
    return GLStart::Ok;
}

uint32_t GlWindow::Id() const {
    return window_ ? SDL_GetWindowID(window_) : 0;
}

void GlWindow::ClientSize(int& width, int& height) const {
    width = 0;
    height = 0;
    if (window_) SDL_GL_GetDrawableSize(window_, &width, &height);
}

void GlWindow::Present() {
    if (!window_ || !context_) return;
    SDL_DisplayMode display;
    if (SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(window_), &display) == 0) {
        pacer_.SetRefreshRate(display.refresh_rate);
    }
    SDL_GL_SwapWindow(window_);
    ++presented_;
    pacer_.AfterSwap(FramePacer::Clock::now());
}

void GlWindow::PaceNextPass() {
    if (pacer_.Sleeping() || presented_ == presentedBefore_) {
        std::this_thread::sleep_until(pacer_.NextRefresh(FramePacer::Clock::now()));
    }
    presentedBefore_ = presented_;
}

void GlWindow::BringToFront() {
    if (!window_) return;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
}

void GlWindow::LeaveFullScreen() {
    if (!window_) return;
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowAlwaysOnTop(window_, SDL_FALSE);
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowResizable(window_, SDL_TRUE);
    SDL_RestoreWindow(window_);
    SDL_ShowCursor(SDL_ENABLE);
}

void GlWindow::ToggleDesktopFullScreen() {
    if (!window_) return;
    // Either kind of full screen (a configured mode or the desktop's) goes back to the window.
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
    if (SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return;
    if (full) SDL_SetWindowAlwaysOnTop(window_, SDL_FALSE);
    SDL_ShowCursor(full ? SDL_ENABLE : SDL_DISABLE);
}

void GlWindow::SetIcon(const std::string& bmpPath) {
    if (!window_) return;
    SDL_Surface* icon = SDL_LoadBMP(bmpPath.c_str());
    if (!icon) return;
    SDL_SetWindowIcon(window_, icon);
    SDL_FreeSurface(icon);
}

}  // namespace platform
