#include "app/blend_fraction.h"

#include <algorithm>

// At or near the step rate every frame has its own new step, so blending would only show
// the world later than it is. A third faster (80 frames a second for 60 steps) is clearly
// past the measure's jitter.
double BlendFraction(bool smoothMotion, int32_t stepsPerSecond, int32_t framesPerSecond,
                     double stepBudget) {
    if (!smoothMotion ||
        3 * static_cast<int64_t>(framesPerSecond) < 4 * static_cast<int64_t>(stepsPerSecond)) {
        return 1;
    }
    return std::clamp(stepBudget, 0.0, 1.0);
}
