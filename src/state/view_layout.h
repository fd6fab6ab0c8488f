// The view: 480 units high, as wide as the window's shape makes it.
#pragma once

#include <cstdint>

struct ViewLayout {
    int32_t ViewHeight = 480;
    int32_t ViewWidth = 640;
    double BackHeight = 408;
    double BackWidth = 816;
    double BackLeft = -88;
    double BackRight = 728;
    int32_t FieldWidth = 640;
    double VisibleLeft = 0;
    double VisibleRight = 640;
};

// The layout for a client area of width x height pixels (a height of 0 counts as 1).
ViewLayout ComputeViewLayout(int width, int height);
