// The render pass: the whole picture drawn back to front.
#pragma once

// Clears the buffers and draws the scene; the caller presents it.
void RenderFrame();
