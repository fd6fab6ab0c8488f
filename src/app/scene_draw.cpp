#include <GL/gl.h>

#include "app/frame_step.h"
#include "app/hud.h"
#include "app/scene.h"
#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/sky.h"
#include "game/world_poses.h"
#include "gfx/font.h"
#include "gfx/particle.h"
#include "gfx/pose_blend.h"
#include "gfx/ripple.h"
#include "gfx/textures.h"
#include "gfx/view.h"
#include "menu/menu.h"
#include "state/application.h"

namespace {

void Color(const Rgba& c) {
    glColor4f(c.R, c.G, c.B, c.A);
}

// The lower half mirrors the upper, so the water drawn later reflects the sky.
void DrawSky(const SkyPose& sky) {
    const ViewLayout& v = App().View;
    glBegin(GL_QUADS);
    Color(sky.Zenith);
    glVertex2d(v.BackLeft, 0);
    glVertex2d(v.BackRight, 0);
    Color(sky.Horizon);
    glVertex2d(v.BackRight, 240);
    glVertex2d(v.BackLeft, 240);

    glVertex2d(v.BackLeft, 240);
    glVertex2d(v.BackRight, 240);
    Color(sky.Zenith);
    glVertex2d(v.BackRight, 480);
    glVertex2d(v.BackLeft, 480);
    glEnd();
}

void DrawBackground(const SkyPose& light) {
    const ViewLayout& v = App().View;
    BindTexture(App().Sky->BackgroundSlot);
    Color(light.Landscape);
    glEnable(GL_BLEND);
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex2d(v.BackLeft, 480 - v.BackHeight);
    glTexCoord2d(1, 0);
    glVertex2d(v.BackRight, 480 - v.BackHeight);
    glTexCoord2d(1, 1);
    glVertex2d(v.BackRight, 480);
    glTexCoord2d(0, 1);
    glVertex2d(v.BackLeft, 480);
    glEnd();
    UnbindTexture();
    glDisable(GL_BLEND);
}

// Nearly opaque up to y = 70, fading to the surface line at 80.
void DrawWater(const SkyPose& sky) {
    const double w = App().View.ViewWidth;
    glEnable(GL_BLEND);
    glBegin(GL_QUADS);
    WaterColor(sky, 0.95, 70);
    glVertex2d(0, 70);
    glVertex2d(w, 70);
    WaterColor(sky, 0.2, 80);
    glVertex2d(w, 80);
    glVertex2d(0, 80);

    WaterColor(sky, 0.95, 0);
    glVertex2d(0, 0);
    glVertex2d(w, 0);
    WaterColor(sky, 0.95, 70);
    glVertex2d(w, 70);
    glVertex2d(0, 70);
    glEnd();
    glDisable(GL_BLEND);
}

void DrawHud() {
    glEnable(GL_BLEND);
    LayoutHud(*App().Game, App().View,
              [](std::string_view text, uint8_t align, double x, double y, double size,
                 const Rgba& color) {
                  Color(color);
                  DrawText(text, align, x, y, size);
              });
    glDisable(GL_BLEND);
}

void DrawPointer() {
    const Application& app = App();
    glPushMatrix();
    glColor4f(0, 0, 0, 1);
    glLineWidth(1);
    glBegin(GL_LINES);
    glVertex2d(app.PointerX - 20, app.PointerY);
    glVertex2d(app.PointerX + 20, app.PointerY);
    glVertex2d(app.PointerX, app.PointerY - 20);
    glVertex2d(app.PointerX, app.PointerY + 20);
    glEnd();
    glPopMatrix();
}

// Everything outside the background's width ends up black.
void DrawSideBars() {
    const ViewLayout& v = App().View;
    glColor3f(0, 0, 0);
    glBegin(GL_QUADS);
    if (v.BackLeft > 0) {
        glVertex2d(0, 0);
        glVertex2d(v.BackLeft, 0);
        glVertex2d(v.BackLeft, 480);
        glVertex2d(0, 480);
    }
    if (v.ViewWidth > v.BackRight) {
        glVertex2d(v.BackRight, 0);
        glVertex2d(v.ViewWidth, 0);
        glVertex2d(v.ViewWidth, 480);
        glVertex2d(v.BackRight, 480);
    }
    glEnd();
}

// The play field starts at the background's left edge when the view is wider.
void EnterPlayField() {
    glPushMatrix();
    if (App().View.BackLeft > 0) glTranslated(App().View.BackLeft, 0, 0);
}

// Centred lines in the menu's white, a line's height apart from the middle of the view down.
void DrawNotice(const std::vector<std::string>& lines) {
    glEnable(GL_BLEND);
    glColor3d(1, 1, 1);
    double y = 300;
    for (const std::string& line : lines) {
        DrawText(line, kAlignCentre, App().View.ViewWidth / 2.0, y, 10);
        y -= 30;
    }
    glDisable(GL_BLEND);
}

}  // namespace

void WaterColor(const SkyPose& sky, double alpha, double y) {
    const double e = y / 240;
    glColor4d((1 - e) * sky.Zenith.R + e * sky.Horizon.R,
              (1 - e) * sky.Zenith.G + e * sky.Horizon.G,
              (1 - e) * sky.Zenith.B + e * sky.Horizon.B, alpha);
}

void DrawScene(int width, int height, const std::vector<std::string>& notice,
               const StepBlend& blend) {
    const WorldPoses& before = blend.Before;
    const double fraction = blend.Fraction;
    size_t cursor = 0;
    const SkyPose sky = DrawnPose(*App().Sky, before.Sky, cursor, fraction);
    BeginScene(width, height);
    DrawSky(sky);
    const bool running = GameRunning(App());
    EnterPlayField();
    DrawRipples(before.Ripples, fraction);
    glPopMatrix();
    DrawBackground(sky);
    EnterPlayField();
    DrawFrogs(true, before.Frogs, fraction);
    DrawWater(sky);
    DrawPads(before.Pads, fraction);
    DrawFrogs(false, before.Frogs, fraction);
    DrawFlies(before.Flies, fraction);
    DrawParticles(before.Particles, fraction);
    if (running) DrawHud();
    glPopMatrix();
    if (!notice.empty()) {
        DrawNotice(notice);
    } else if (!running && App().Menu) {
        App().Menu->MenuDraw();
    }
    DrawPointer();
    DrawSideBars();
}

void DrawFrame(int width, int height, const std::vector<std::string>& notice,
               const StepBlend& blend) {
    // A replay's picture may not fill the window; what it leaves is black.
    if (App().FixedViewWidth > 0) glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    DrawScene(width, height, notice, blend);
}
