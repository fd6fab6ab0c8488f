#include "app/frame_step.h"

#include <cstdint>

#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/player_input.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "input/input_state.h"
#include "menu/menu.h"
#include "sound/sound.h"
#include "state/application.h"

bool GameRunning(const Application& app) {
    return app.Game && app.Game->Running;
}

void WorldStep() {
    Application& app = App();
    app.Game->GameStep();
    // Escape pauses the game: the game's step ends with it, before the lists move.
    if (app.Input->KeyPressed(kEscapeKey) && app.Menu) app.Menu->OpenInGameMenu();
    UpdatePads();
    UpdateFlies();
    UpdateFrogs();
    UpdateParticles();
    UpdateRipples();
}

void FrameStep(Application& app) {
    app.Input->Poll();
    // Signed counter that wraps, done in unsigned arithmetic to stay defined.
    app.StepCounter = static_cast<int32_t>(static_cast<uint32_t>(app.StepCounter) + 1u);
    if (GameRunning(app)) {
        WorldStep();
    } else if (app.Menu) {
        app.Menu->MenuStep();
    }
    Music().Service();
    MovePointer(app, app.Input->MouseDeltaX, app.Input->MouseDeltaY);
}

void MovePointer(Application& app, int mouseDeltaX, int mouseDeltaY) {
    app.PointerX += 4.0 * mouseDeltaX;
    app.PointerY -= 4.0 * mouseDeltaY;
    if (app.PointerX < 0) app.PointerX = 0;
    if (app.PointerX >= app.View.ViewWidth) app.PointerX = app.View.ViewWidth;
    if (app.PointerY < 0) app.PointerY = 0;
    if (app.PointerY >= 480) app.PointerY = 480;
}
