#include <GL/gl.h>

#include <cmath>

#include "game/game.h"
#include "gfx/font.h"
#include "gfx/view.h"
#include "menu/menu.h"
#include "menu/menu_credits.h"
#include "menu/menu_items.h"
#include "state/application.h"

namespace {

constexpr int32_t kCanvasWidth = 640;
constexpr int32_t kCanvasHeight = 360;
const char* const kSwatch = "############";

}  // namespace

void Menu::MenuDraw() const {
    BeginOverlayView(kCanvasWidth, kCanvasHeight);
    glEnable(GL_BLEND);
    if (Screen == kScreenTitle) DrawTitle();
    for (const MenuItem& item : MenuItems(Screen)) {
        DrawItem(item.Index, item.Text(), kAlignLeft, item.Size, item.Y, kItemX);
        if (item.Swatch < 0) continue;
        const Rgba& color = FrogColors[item.Swatch];
        glColor4f(color.R, color.G, color.B, color.A);
        DrawText(kSwatch, kAlignLeft, kItemX + 12.0 * item.Text().size(), item.Y, item.Size);
    }
    if (Screen != kScreenInGame) DrawCredits();
    glDisable(GL_BLEND);
    EndOverlayView();
}

// The highlighted entry pulses slowly and gets a ">" in front.
void Menu::DrawItem(int32_t index, std::string_view text, uint8_t alignment, double size, double y,
                    double x) const {
    if (index == Selected) {
        const double s = std::sin(App().StepCounter / 5.0);
        glColor3d(0.8 + 0.2 * s, 0.4 + 0.2 * s, 0.8 + 0.2 * s);
        DrawText(">", kAlignLeft, x - 25, y, size);
    } else {
        glColor3d(1, 1, 1);
    }
    DrawText(text, alignment, x, y, size);
}

// The two title words sway gently.
void Menu::DrawTitle() const {
    const double t = App().StepCounter;
    glPushMatrix();
    glTranslated(std::sin(t / 13), 6 * std::cos(t / 24), 0);
    glColor3d(0.3, 1.0, 0.2);
    DrawText("PONDLARK", kAlignCentre, 320, 290, 17);
    glColor3d(0.5, 1.0, 0.5);
    DrawText("REMAKE", kAlignCentre, 420, 260, 15);
    glPopMatrix();
}

void Menu::DrawCredits() const {
    const double opacity = CreditOpacity(CreditPair, CreditTimer);
    glColor4d(1.0, 0.9, 0.3, opacity);
    DrawText(CreditLines[2 * CreditPair], kAlignCentre, 320, 50, 5);
    glColor4d(0.7, 0.8, 1.0, opacity);
    DrawText(CreditLines[2 * CreditPair + 1], kAlignCentre, 320, 30, 5);
}
