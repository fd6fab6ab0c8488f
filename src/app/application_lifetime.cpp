// The program-wide state is made and unmade here, at the top, where every part's type is known.
#include "config/settings_store.h"
#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/sky.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "input/input_state.h"
#include "menu/menu.h"
#include "state/application.h"

Application::Application() = default;

Application::~Application() {
    // Flies clear the frogs' references to them as they go, so frogs must outlive them.
    Flies.clear();
    Frogs.clear();
    Pads.clear();
    Particles.clear();
    Ripples.clear();
    ForgetApp(this);
}
