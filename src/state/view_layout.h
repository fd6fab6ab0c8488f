// The view: 480 units high, as wide as the window's shape makes it.
#pragma once

#include <cstdint>

// The narrowest and widest views there are; a window of a more extreme shape shows the
// nearest of them. Recordings hold view widths, so their reader keeps to the same range.
constexpr int32_t kNarrowestView = 1;
constexpr int32_t kWidestView = 480 * 128;

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
// Whether the window's own shape gives the view its width, rather than a bound of the range.
bool ViewFitsWindow(int width, int height);
