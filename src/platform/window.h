// The main window and its OpenGL context.
#pragma once

#include <cstdint>
#include <string>

#include "platform/frame_pacer.h"

struct SDL_Window;

namespace platform {

// Starts the video and event subsystems; false (with the reason on stderr) if it cannot.
bool InitVideo();
void ShutdownVideo();

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bpp = 0;
    int hz = 0;
};

enum class GLStart { Ok, NoPixelFormat, CannotSetPixelFormat, NoContext, CannotActivate };

// One top-level window with a double-buffered RGBA OpenGL compatibility context.
class GlWindow {
public:
    GlWindow() = default;
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;
    ~GlWindow();

    void SetCaption(const std::string& caption);

    // Checks that the display offers exactly this mode; the change itself is
    // made when the window is created and undone when the program ends.
    bool RequestFullScreen(const DisplayMode& mode);

    // Creates the window (client area w x h when windowed), picks the deepest
    // depth buffer on offer and makes a context current.
    GLStart CreateGL(int clientWidth, int clientHeight);

    bool HasContext() const { return context_ != nullptr; }
    bool FullScreen() const { return fullScreen_; }
    // SDL's number for the window, which its events carry; 0 before it exists.
    uint32_t Id() const;
    void ClientSize(int& width, int& height) const;
    // Swaps the buffers; where the swap does not wait for the display, PaceNextPass paces
    // the frames instead.
    void Present();
    // Where the swap does not wait for the display, and after a pass that presented nothing
    // (drawing paused), waits for the display's next refresh. The message loop calls it as
    // a pass begins, before input is read, so a key that comes while it waits is read by
    // that pass's steps and shown in its frame.
    void PaceNextPass();
    // The refresh rate to pace to where the display reports none or a wrong one; 0 for the
    // display's own.
    void SetGivenRefreshRate(int hz) { pacer_.SetGivenRate(hz); }
    void BringToFront();

    // Back to an ordinary sizeable window with the cursor shown.
    void LeaveFullScreen();

    // Between the window and full screen at the desktop's own size (Alt+Enter).
    void ToggleDesktopFullScreen();
    // A missing or unreadable picture leaves the window without an icon.
    void SetIcon(const std::string& bmpPath);

private:
    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    bool fullScreen_ = false;
    DisplayMode mode_;
    std::string caption_;
    FramePacer pacer_;
    unsigned long long presented_ = 0;
    unsigned long long presentedBefore_ = 0;
};

}  // namespace platform
