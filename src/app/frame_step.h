// One fixed-length simulation step.
#pragma once

struct Application;

// Polls input, counts the step, advances the game or the menu, then moves the pointer.
void Step(Application& app);

// Moves the pointer cross by the mouse's movement since the last poll, kept inside the view.
void MovePointer(Application& app, int mouseDeltaX, int mouseDeltaY);
