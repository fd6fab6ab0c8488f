#include "gfx/view.h"

#include <GL/gl.h>

#include "app/application.h"

void InitGL(int width, int height) {
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    SetupView(width, height);
}

void SetupView(int width, int height) {
    if (height == 0) height = 1;
    App().View = ComputeViewLayout(width, height);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
