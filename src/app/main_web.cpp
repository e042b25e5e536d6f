// Brindlecog in a browser page: the desktop's start-up on emscripten's GLUT, with the frame
// driven by the page's animation frames.
#include <GL/glut.h>
#include <emscripten.h>

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

}  // namespace

int main(int argc, char** argv) {
    openGameWindow(&argc, argv);
    // The GL emulation builds its shaders with the texture matrix only once GL_TEXTURE has been
    // the matrix mode, and keeps the shaders it built before: the first pictures would fix
    // shaders without it, and the sprites with several frames would show all of them. It sends
    // a shader the texture matrix only once that matrix has changed, and a shader's matrix
    // starts at zero, which samples one texel everywhere: the start screen, whose pictures have
    // one frame and never change it, would be a flat brown. Loading it counts as a change.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    startGame();
    glutDisplayFunc(animationFrame);

    // What glutMainLoop does (the reshape for the canvas's size, the first frame asked for),
    // but with the runtime kept alive: otherwise it would end after the first frame, since
    // nothing in emscripten's GLUT holds it. The page's events and frames run the game now;
    // endGame ends the runtime (platform_glut_web.cpp).
    glutReshapeWindow(BOARD_WIDTH, BOARD_HEIGHT);
    glutPostRedisplay();
    emscripten_exit_with_live_runtime();  // never returns
    return 0;
}
