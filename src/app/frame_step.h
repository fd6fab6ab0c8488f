// One fixed-length simulation step.
#pragma once

struct Application;

// Polls input, counts the step, advances the game or the menu, services the
// music, then moves the pointer.
void FrameStep(Application& app);

// The running game's step: the game object, then every world list in order.
void WorldStep();

// True while a game object exists and is not paused.
bool GameRunning(const Application& app);

// Moves the pointer cross by the mouse's movement since the last poll, kept inside the view.
void MovePointer(Application& app, int mouseDeltaX, int mouseDeltaY);
