#include "app/frame_step.h"

#include <cstdint>

#include "app/application.h"
#include "input/power_input.h"

void Step(Application& app) {
    app.Inp->Poll();
    // Signed counter that wraps, done in unsigned arithmetic to stay defined.
    app.StepCounter = static_cast<int32_t>(static_cast<uint32_t>(app.StepCounter) + 1u);
    // The running game's world step, or else the menu's step, joins here.
    // The music player's end-of-track service joins here.
    MovePointer(app, app.Inp->MouseDeltaX, app.Inp->MouseDeltaY);
}

void MovePointer(Application& app, int mouseDeltaX, int mouseDeltaY) {
    app.PointerX += 4.0 * mouseDeltaX;
    app.PointerY -= 4.0 * mouseDeltaY;
    if (app.PointerX < 0) app.PointerX = 0;
    if (app.PointerX >= app.View.ViewWidth) app.PointerX = app.View.ViewWidth;
    if (app.PointerY < 0) app.PointerY = 0;
    if (app.PointerY >= 480) app.PointerY = 480;
}
