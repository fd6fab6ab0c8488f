// The application's message loop: drains window events, then runs one idle call.
#pragma once

#include <functional>

namespace platform {

struct LoopHandlers {
    // Called whenever no event is waiting; setting done to true lets the
    // loop sleep until the next event instead of spinning.
    std::function<void(bool& done)> idle;
    std::function<void()> activate;    // the window gained the keyboard focus
    std::function<void()> deactivate;  // the window lost it
    std::function<void(int width, int height)> resized;
    std::function<void()> closing;  // a close request, just before the loop ends
    // Alt+Enter: between the window and full screen.
    std::function<void()> toggleFullScreen;
};

// Runs until the window is closed or a quit is posted.
void RunMessageLoop(const LoopHandlers& handlers);

// Ends the loop at its next pass without the closing handler (start-up failures).
void PostQuit();

// Asks the loop to close the window, as the window frame's close box does.
void RequestClose();

}  // namespace platform
