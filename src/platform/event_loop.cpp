#include "platform/event_loop.h"

#include <SDL.h>

#include <utility>


namespace platform {

namespace {

bool quitPosted = false;

// Either Alt with Return or keypad Enter; a held key's repeats do nothing.
bool IsFullScreenSwitch(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN || event.key.repeat) return false;
    const SDL_Scancode key = event.key.keysym.scancode;
    return (event.key.keysym.mod & KMOD_ALT) &&
           (key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER);
}

// Escape, or Start on a game controller; a held key's repeats do nothing.
bool IsEscape(const SDL_Event& event) {
    if (event.type == SDL_CONTROLLERBUTTONDOWN) {
        return event.cbutton.button == SDL_CONTROLLER_BUTTON_START;
    }
    return event.type == SDL_KEYDOWN && !event.key.repeat &&
           event.key.keysym.scancode == SDL_SCANCODE_ESCAPE;
}

// Returns false when the event closes the window.
bool Dispatch(const SDL_Event& event, uint32_t mainWindow, const LoopHandlers& handlers) {
    if (event.type == SDL_QUIT) return false;
    if (IsFullScreenSwitch(event) && handlers.toggleFullScreen) handlers.toggleFullScreen();
    if (IsEscape(event) && handlers.escape) handlers.escape();
    if (event.type != SDL_WINDOWEVENT || event.window.windowID != mainWindow) return true;
    switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            return false;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            if (handlers.activate) handlers.activate();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (handlers.deactivate) handlers.deactivate();
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (handlers.resized) handlers.resized(event.window.data1, event.window.data2);
            break;
        default:
            break;
    }
    return true;
}

}  // namespace

void PostQuit() {
    quitPosted = true;
}

void RequestClose() {
    SDL_Event event = {};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

void RunMessageLoop(uint32_t mainWindow, const LoopHandlers& handlers) {
    for (;;) {
        // A posted quit ends this loop only.
        if (std::exchange(quitPosted, false)) return;
        // Any wait comes before input is read, never between a pass's steps and its frame.
        if (handlers.pace) handlers.pace();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (!Dispatch(event, mainWindow, handlers)) {
                if (handlers.closing) handlers.closing();
                return;
            }
        }
        bool done = true;
        if (handlers.idle) handlers.idle(done);
        if (done && !quitPosted && SDL_WaitEvent(nullptr) == 0) return;
    }
}

}  // namespace platform
