// Brindlecog in a browser page: the desktop's start-up on emscripten's GLUT, with the frame
// driven by the page's animation frames.
#include <GL/glut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include "app/glut_start.h"

namespace {

// Emscripten's GLUT calls idle on a 4 ms timer but display on animation frames, so the chains
// would step more often than the board is drawn, and by smaller steps. One idle and one display
// per animation frame is what a synchronised desktop does; the mode's update asks for the next
// frame through glutPostRedisplay as it does there.
void animationFrame() {
    idleFrame();
    displayFrame();
}

// The game's start, then what glutMainLoop does (the reshape for the canvas's size, the first
// frame asked for), but with the runtime kept alive: otherwise it would end after the first
// frame, since nothing in emscripten's GLUT holds it. The page's events and frames run the game
// from then on; endGame ends the runtime (platform_glut_web.cpp).
void startInPage(void* /*unused*/) {
    startGame();
    glutReshapeWindow(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
    // The page has sized the canvas to fit the screen already (page.js): a new size would have
    // the browser make its drawing buffer again, twice, in the task that starts the game.
    int width = BOARD_WIDTH;
    int height = BOARD_HEIGHT;
    emscripten_get_canvas_element_size("#canvas", &width, &height);
    openGameWindow(&argc, argv, width, height);
    // The GL emulation builds its shaders with the texture matrix only once GL_TEXTURE has been
    // the matrix mode, and keeps the shaders it built before: the first pictures would fix
    // shaders without it, and the sprites with several frames would show all of them. It sends
    // a shader the texture matrix only once that matrix has changed, and a shader's matrix
    // starts at zero, which samples one texel everywhere: the start screen, whose pictures have
    // one frame and never change it, would be a flat brown. Loading it counts as a change.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glutDisplayFunc(animationFrame);
    // The rest in a task of its own: the page stays answering between the making of the GL
    // layer and the reading of the splash picture, where one task would block it for both.
    emscripten_async_call(startInPage, nullptr, 0);
    emscripten_exit_with_live_runtime();  // never returns
    return 0;
}
