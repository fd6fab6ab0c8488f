#include "platform/event_loop.h"

#include <SDL.h>

namespace platform {

namespace {

bool quitPosted = false;

// Returns false when the event closes the window.
bool Dispatch(const SDL_Event& event, const LoopHandlers& handlers) {
    if (event.type == SDL_QUIT) return false;
    if (event.type != SDL_WINDOWEVENT) return true;
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

void RunMessageLoop(const LoopHandlers& handlers) {
    for (;;) {
        if (quitPosted) return;
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (!Dispatch(event, handlers)) {
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
