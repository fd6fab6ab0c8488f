#include "state/view_layout.h"

#include <cmath>

ViewLayout ComputeViewLayout(int width, int height) {
    if (height == 0) height = 1;
    ViewLayout view;
    view.ViewHeight = 480;
    view.ViewWidth = static_cast<int32_t>(std::nearbyint(480.0 * width / height));
    view.BackHeight = 480 * 0.85;
    view.BackWidth = 2 * view.BackHeight;
    view.BackLeft = view.ViewWidth / 2.0 - view.BackHeight;
    view.BackRight = view.ViewWidth / 2.0 + view.BackHeight;
    view.FieldWidth = view.ViewWidth < 816 ? view.ViewWidth : 816;
    view.VisibleLeft = view.BackLeft > 0 ? view.BackLeft : 0;
    view.VisibleRight = view.ViewWidth > view.BackRight ? view.BackRight : view.ViewWidth;
    return view;
}
