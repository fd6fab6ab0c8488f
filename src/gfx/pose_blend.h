// Drawing between two steps: blending an object's drawn state from the step before the
// latest one toward the latest one.
#pragma once

#include <cstddef>
#include <vector>

// The value a fraction of the way from before to now; a fraction of 1 gives now exactly.
double Mix(double before, double now, double fraction);
// The same for angles in degrees, turning the shorter way round.
double MixAngle(double before, double now, double fraction);
// True when (x1, y1) is at most limit away from (x0, y0) on both axes.
bool Near(double x0, double y0, double x1, double y1, double limit);

// The pose with this identity in a list of poses kept in list order, searched on from
// cursor so that a whole list is matched in one pass; null when there is none.
template <class Pose>
const Pose* FindBefore(const std::vector<Pose>& before, const void* id, size_t& cursor) {
    for (size_t i = cursor; i < before.size(); ++i) {
        if (before[i].Id == id) {
            cursor = i + 1;
            return &before[i];
        }
    }
    return nullptr;
}

// Where to draw an object: its own pose, or a blend with its pose before the latest step
// when it was there then. Blend itself keeps the latest pose for moves no step makes.
template <class Object, class Pose>
Pose DrawnPose(const Object& object, const std::vector<Pose>& before, size_t& cursor,
               double fraction) {
    const Pose now = PoseOf(object);
    if (fraction >= 1) return now;
    const Pose* was = FindBefore(before, now.Id, cursor);
    return was ? Blend(*was, now, fraction) : now;
}
