// Where the heads-up display puts its texts: points, banner lines and the flies left.
#pragma once

#include <cstdio>

#include "game/game.h"
#include "gfx/font.h"
#include "state/view_layout.h"

// Calls text(chars, alignment, x, y, size, colour) for every text of the HUD, in
// drawing order; the text is a std::string_view valid only during the call.
template <typename TextFn>
void LayoutHud(const Game& game, const ViewLayout& view, TextFn&& text) {
    char buffer[32];
    const double spacing = static_cast<double>(view.ViewWidth) / (game.FrogCount + 1);
    for (int32_t i = 0; i < game.FrogCount; ++i) {
        std::snprintf(buffer, sizeof buffer, "%d", game.Players[i].LevelPoints);
        text(buffer, kAlignCentre, (i + 1) * spacing, 20.0, 6.0, game.Players[i].Color);
    }
    if (game.MessageTime > 0) {
        // The block is centred on y = 240 and fades over its last 50 steps.
        const double alpha = game.MessageTime < 50 ? game.MessageTime / 50.0 : 1.0;
        const double top = (static_cast<double>(game.Messages.size()) - 1) * 15 + 240;
        for (size_t j = 0; j < game.Messages.size(); ++j) {
            Rgba color = game.Messages[j].Color;
            color.A = static_cast<float>(alpha);
            text(game.Messages[j].Text, kAlignCentre, view.ViewWidth / 2.0, top - 30.0 * j, 7.0,
                 color);
        }
    }
    if (game.Mode == kEatAll) {
        std::snprintf(buffer, sizeof buffer, "FLIES LEFT: %d", game.FliesToSpawn);
        Rgba color;
        SetColor(color, 1, 1, 1, 0.7);
        // The HUD is drawn in play-field coordinates, so the visible right edge is
        // measured from the visible left one; otherwise wide windows hide the count.
        text(buffer, kAlignRight, view.VisibleRight - view.VisibleLeft - 6, 474.0, 5.0, color);
    }
}
