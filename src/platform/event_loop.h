// The application's message loop: drains window events, then runs one idle call.
#pragma once

#include <cstdint>
#include <functional>

namespace platform {

struct LoopHandlers {
    // Called as each pass begins, before any input is read: the window's frame pacing.
    std::function<void()> pace;
    // Called whenever no event is waiting; setting done to true lets the
    // loop sleep until the next event instead of spinning.
    std::function<void(bool& done)> idle;
    std::function<void()> activate;    // the window gained the keyboard focus
    std::function<void()> deactivate;  // the window lost it
    std::function<void(int width, int height)> resized;
    std::function<void()> closing;  // a close request, just before the loop ends
    // Alt+Enter: between the window and full screen.
    std::function<void()> toggleFullScreen;
    // Escape, or Start on a game controller, went down (when set, a replay is being watched).
    std::function<void()> escape;
};

// Runs until the window is closed or a quit is posted. Window events (focus, size, close)
// count only for the main window, the one with the given SDL window number.
void RunMessageLoop(uint32_t mainWindow, const LoopHandlers& handlers);

// Ends the loop at its next pass without the closing handler (start-up failures).
void PostQuit();

// Asks the loop to close the window, as the window frame's close box does.
void RequestClose();

}  // namespace platform
