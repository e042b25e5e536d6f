#include "app/display_state.h"

#include <GL/gl.h>

#include <iostream>

#include "app/platform.h"

int windowWidth = BOARD_WIDTH;
int windowHeight = BOARD_HEIGHT;

void reshape(int width, int height) {
    if (width <= 0 || height <= 0) {
        std::cout << "reshape() values bad w:" << width << " h:" << height << std::endl;
        return;
    }
    windowHeight = height;
    // The height decides: the window snaps to 4:3 whatever width the user dragged it to.
    windowWidth = static_cast<int>(height * 1.3333333333333333);
    platform::current().reshapeWindow(windowWidth, height);
    glViewport(0, 0, windowWidth, windowHeight);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, windowWidth, 0, windowHeight, 0, 100);
    // Board origin at the window centre, board z = 0 at eye depth 1 (inside near and far).
    glTranslatef(windowWidth * 0.5f, windowHeight * 0.5f, -1.0f);
    // A shift of 0.375 pixels for exact pixel rasterisation.
    glTranslatef(0.375f, 0.375f, 0.0f);
    // One board unit is windowWidth / 800 pixels: the board spans -400..400 by -300..300.
    glScalef(static_cast<float>(windowWidth / 800.0), static_cast<float>(windowHeight / 600.0),
             1.0f);
    glMatrixMode(GL_MODELVIEW);
}

void setCulling(bool on) {
    if (!on) {
        glDisable(GL_CULL_FACE);
        return;
    }
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
}

void setDepthTest(bool depth, bool alphaTest) {
    if (!depth) {
        glDisable(GL_DEPTH_TEST);
        return;
    }
    glEnable(GL_DEPTH_TEST);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    if (alphaTest) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.001f);
    }
}
