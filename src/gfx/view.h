// The projection: the first GL state and the view set-up for any window size.
#pragma once

#include <cstdint>

// Once, right after the context is made current.
void InitGL(int width, int height);

// The blending, texture and lighting defaults every drawing routine relies on; once the
// textures are loaded.
void SetDrawingDefaults();

// Recomputes the view layout for the client size and sets the viewport.
void SetupView(int width, int height);

// Per-frame set-up: view, 2D projection, light and the shared GL state.
void BeginScene(int width, int height);

// Brackets drawing on a fixed canvas spread over the visible background.
void BeginOverlayView(int32_t canvasWidth, int32_t canvasHeight);
void EndOverlayView();
