#include "app/display_state.h"

#include <GL/gl.h>

#include <iostream>

#include "app/board_box.h"
#include "app/platform.h"

int windowWidth = BOARD_WIDTH;
int windowHeight = BOARD_HEIGHT;

void reshape(int width, int height) {
    if (width <= 0 || height <= 0) {
        std::cout << "reshape() values bad w:" << width << " h:" << height << std::endl;
        return;
    }
    // The height decides: the window snaps to 4:3 whatever width the user dragged it to. Until
    // the window manager grants that, or if it refuses, the board fills the 4:3 box in the middle.
    const PixelBox box = fitBoard(width, height);
    windowWidth = box.width;
    windowHeight = box.height;
    boardLeft = box.left;
    boardTop = box.top;
    letterboxed = box.width != width || box.height != height;
    int screenWidth = 0;
    int screenHeight = 0;
    platform::current().screenSize(&screenWidth, &screenHeight);
    const PixelBox wanted = snappedWindow(height, screenWidth, screenHeight);
    platform::current().reshapeWindow(wanted.width, wanted.height);
    // GL counts rows from the bottom.
    const int boardBottom = height - box.top - box.height;
    glViewport(box.left, boardBottom, box.width, box.height);
    glScissor(box.left, boardBottom, box.width, box.height);
    if (letterboxed) {
        glEnable(GL_SCISSOR_TEST);
    } else {
        glDisable(GL_SCISSOR_TEST);
    }

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
