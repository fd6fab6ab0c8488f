/* One of SDL's virtual joysticks, plugged in by the controller tests (C and C++). */
#pragma once

#include <SDL.h>

/* Plugs in a virtual joystick and opens it: a game controller with every one of SDL's buttons
   and axes, or else a plain stick of two axes and three buttons that SDL cannot map. */
static inline SDL_Joystick* PlugVirtualPad(const char* name, SDL_bool gameController) {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = gameController ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = gameController ? SDL_CONTROLLER_AXIS_MAX : 2;
    desc.nbuttons = gameController ? SDL_CONTROLLER_BUTTON_MAX : 3;
    desc.name = name;
    return SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
}
