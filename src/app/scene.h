// The render pass: the whole picture drawn back to front.
#pragma once

#include <string>
#include <vector>

#include "game/world_poses.h"

// Clears the buffers and draws the scene for a client area of width x height
// pixels; the caller presents it. Lines of notice, when given, stand where the menu would.
// The world is drawn as the blend says; by default as it is.
void DrawFrame(int width, int height, const std::vector<std::string>& notice = {},
               const StepBlend& blend = {});

// The layers in order, from the sky to the side bars.
void DrawScene(int width, int height, const std::vector<std::string>& notice = {},
               const StepBlend& blend = {});

// Sets the current colour to the water's at height y: the sky's gradient mirrored.
void WaterColor(const SkyPose& sky, double alpha, double y);
