#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "gfx/view.h"
#include "state/application.h"

void InitGL(int width, int height) {
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    SetupView(width, height);
}

void SetDrawingDefaults() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineWidth(1);
    glEdgeFlag(GL_TRUE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_NORMALIZE);
    glEnable(GL_COLOR_MATERIAL);
}

void SetupView(int width, int height) {
    if (height == 0) height = 1;
    Application& app = App();
    if (app.FixedViewWidth <= 0 && ViewFitsWindow(width, height)) {
        app.View = ComputeViewLayout(width, height);
        glViewport(0, 0, width, height);
    } else {
        // A replay shows the view it was recorded with, and a window of a shape beyond the
        // widest or narrowest view shows that view: the largest picture of it the window
        // holds, centred.
        const int32_t viewWidth = app.FixedViewWidth > 0
                                      ? app.FixedViewWidth
                                      : ComputeViewLayout(width, height).ViewWidth;
        app.View = ComputeViewLayout(viewWidth, app.View.ViewHeight);
        const double scale = std::min(static_cast<double>(width) / app.View.ViewWidth,
                                      static_cast<double>(height) / app.View.ViewHeight);
        const int shownWidth = static_cast<int>(std::lround(app.View.ViewWidth * scale));
        const int shownHeight = static_cast<int>(std::lround(app.View.ViewHeight * scale));
        glViewport((width - shownWidth) / 2, (height - shownHeight) / 2, shownWidth, shownHeight);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void BeginScene(int width, int height) {
    SetupView(width, height);
    const ViewLayout& view = App().View;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, view.ViewWidth, 0, view.ViewHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // No normals are ever given, so only the ambient term counts: every colour
    // comes out tinted by (1, 1, 0.9).
    const GLfloat black[] = {0, 0, 0, 1};
    const GLfloat warm[] = {1, 1, 0.9f, 1};
    const GLfloat position[] = {-100, 300, 0, 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, warm);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, warm);
    glLightfv(GL_LIGHT0, GL_SPECULAR, warm);

    glDisable(GL_FOG);
    glClearColor(0.5f, 0.6f, 0.8f, 0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDepthMask(GL_TRUE);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

void BeginOverlayView(int32_t canvasWidth, int32_t canvasHeight) {
    const ViewLayout& view = App().View;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, canvasWidth, 0, canvasHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(view.VisibleLeft * canvasWidth / view.ViewWidth, 0, 0);
    glScaled((view.VisibleRight - view.VisibleLeft) / view.ViewWidth, 1, 1);
}

void EndOverlayView() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
