// The projection: the first GL state and the view set-up for any window size.
#pragma once

// Once, right after the context is made current.
void InitGL(int width, int height);

// Recomputes the view layout for the client size and sets the viewport.
void SetupView(int width, int height);
