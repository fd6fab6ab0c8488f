#include "platform/event_loop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/window.h"

namespace {

void PushWindowEvent(uint32_t window, SDL_WindowEventID what) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = window;
    event.window.event = what;
    event.window.data1 = 320;
    event.window.data2 = 200;
    SDL_PushEvent(&event);
}

// Starting video leaves text input off, so an input method cannot take the game's keys.
// Only the main window's focus, size and close events reach the game, and input that comes
// while a pass waits for the refresh is handled before that pass's idle call, which runs the
// steps that read it and draws their frame.
TEST(EventLoop, OnlyTheMainWindowsEventsCountAndComeBeforeThePass) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    ASSERT_TRUE(platform::InitVideo());
    EXPECT_FALSE(SDL_IsTextInputActive());

    const uint32_t mainWindow = 7, loadingWindow = 8;
    for (SDL_WindowEventID what : {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_FOCUS_GAINED,
                                   SDL_WINDOWEVENT_SIZE_CHANGED, SDL_WINDOWEVENT_CLOSE}) {
        PushWindowEvent(loadingWindow, what);
    }
    int deactivated = 0, activated = 0, resized = 0, closed = 0, deactivatedBeforeIdle = -1;
    platform::LoopHandlers handlers;
    handlers.pace = [&] { PushWindowEvent(mainWindow, SDL_WINDOWEVENT_FOCUS_LOST); };
    handlers.activate = [&] { ++activated; };
    handlers.deactivate = [&] { ++deactivated; };
    handlers.resized = [&](int, int) { ++resized; };
    handlers.closing = [&] { ++closed; };
    handlers.idle = [&](bool& done) {
        deactivatedBeforeIdle = deactivated;
        done = false;
        platform::PostQuit();
    };
    platform::RunMessageLoop(mainWindow, handlers);
    EXPECT_EQ(deactivatedBeforeIdle, 1);
    EXPECT_EQ(activated, 0);
    EXPECT_EQ(resized, 0);
    EXPECT_EQ(closed, 0);
    platform::ShutdownVideo();
}

}  // namespace
