// How far between the last two steps a frame draws the world.
#pragma once

#include <cstdint>

// The fraction of a step to blend by: the part of a step the clock has gathered since the
// latest step when smoothing is on and the frames come clearly faster than the steps, and
// 1 (the latest step itself) otherwise. framesPerSecond is the frame timer's measure.
double BlendFraction(bool smoothMotion, int32_t stepsPerSecond, int32_t framesPerSecond,
                     double stepBudget);
