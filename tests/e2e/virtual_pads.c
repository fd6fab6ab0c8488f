// Preloaded into the real game by the controller test. When the game starts SDL's game
// controllers, two virtual ones are plugged in; a thread then sets their buttons and sticks
// from the lines written into the pipe that PONDLARK_PADS names, one command a line:
//   "<pad> <button> <0|1>"  a button by SDL's name (a, b, x, start, dpup, ...)
//   "<pad> <axis> <value>"  an axis by SDL's name (leftx, lefty), -32768..32767
// Pads are numbered 1 and 2 in the order they were plugged in.
#define _GNU_SOURCE
#include <SDL.h>
#include <dlfcn.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>

#include "../platform/virtual_pad.h"

static SDL_Joystick* pads[2];

static void* follow_commands(void* path) {
    FILE* commands = fopen((const char*)path, "r");
    char line[128], name[64];
    int pad, value;
    while (commands && fgets(line, sizeof line, commands)) {
        if (sscanf(line, "%d %63s %d", &pad, name, &value) != 3 || pad < 1 || pad > 2) continue;
        const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name);
        const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name);
        if (button != SDL_CONTROLLER_BUTTON_INVALID) {
            SDL_JoystickSetVirtualButton(pads[pad - 1], button, (Uint8)value);
        } else if (axis != SDL_CONTROLLER_AXIS_INVALID) {
            SDL_JoystickSetVirtualAxis(pads[pad - 1], axis, (Sint16)value);
        } else {
            fprintf(stderr, "virtual_pads: no button or axis \"%s\"\n", name);
        }
    }
    return NULL;
}

int SDL_InitSubSystem(Uint32 flags) {
    int (*real)(Uint32) = (int (*)(Uint32))dlsym(RTLD_NEXT, "SDL_InitSubSystem");
    const int result = real(flags);
    const char* path = getenv("PONDLARK_PADS");
    if (result != 0 || !(flags & SDL_INIT_GAMECONTROLLER) || !path || pads[0]) return result;
    pads[0] = PlugVirtualPad("virtual pad 1", SDL_TRUE);
    pads[1] = PlugVirtualPad("virtual pad 2", SDL_TRUE);
    pthread_t thread;
    pthread_create(&thread, NULL, follow_commands, (void*)path);
    pthread_detach(thread);
    return result;
}
