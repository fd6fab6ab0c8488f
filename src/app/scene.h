// The render pass: the whole picture drawn back to front.
#pragma once

#include <string>
#include <vector>

// Clears the buffers and draws the scene for a client area of width x height
// pixels; the caller presents it. Lines of notice, when given, stand where the menu would.
void DrawFrame(int width, int height, const std::vector<std::string>& notice = {});

// The layers in order, from the sky to the side bars.
void DrawScene(int width, int height, const std::vector<std::string>& notice = {});

// Sets the current colour to the water's at height y: the sky's gradient mirrored.
void WaterColor(double alpha, double y);
