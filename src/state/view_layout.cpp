#include "state/view_layout.h"

#include <algorithm>
#include <cmath>

namespace {

double NaturalViewWidth(int width, int height) {
    return std::nearbyint(480.0 * width / (height == 0 ? 1 : height));
}

}  // namespace

ViewLayout ComputeViewLayout(int width, int height) {
    ViewLayout view;
    view.ViewHeight = 480;
    view.ViewWidth = static_cast<int32_t>(
        std::clamp<double>(NaturalViewWidth(width, height), kNarrowestView, kWidestView));
    view.BackHeight = 480 * 0.85;
    view.BackWidth = 2 * view.BackHeight;
    view.BackLeft = view.ViewWidth / 2.0 - view.BackHeight;
    view.BackRight = view.ViewWidth / 2.0 + view.BackHeight;
    view.FieldWidth = view.ViewWidth < 816 ? view.ViewWidth : 816;
    view.VisibleLeft = view.BackLeft > 0 ? view.BackLeft : 0;
    view.VisibleRight = view.ViewWidth > view.BackRight ? view.BackRight : view.ViewWidth;
    return view;
}

bool ViewFitsWindow(int width, int height) {
    const double natural = NaturalViewWidth(width, height);
    return natural >= kNarrowestView && natural <= kWidestView;
}
