// Brindlecog in a browser page: the desktop's start-up on emscripten's GLUT, with the frame
// driven by the page's animation frames.
#include <GL/glut.h>
#include <emscripten.h>

#include <cstdlib>

#include "app/display_state.h"
#include "app/late_files.h"
#include "app/shell.h"
#include "app/window_identity.h"
#include "audio/sound.h"
#include "modes/start_state.h"

namespace {

// Emscripten's GLUT calls idle on a 4 ms timer but display on animation frames, so the chains
// would step more often than the board is drawn, and by smaller steps. One idle and one display
// per animation frame is what a synchronised desktop does; the mode's update asks for the next
// frame through glutPostRedisplay as it does there.
void animationFrame() {
    idleFrame();
    displayFrame();
}

// Ending the program in a page: the runtime is kept alive for the page's events, so a plain
// exit() would only stop the current call. emscripten_force_exit ends it: it runs endGame,
// then the static destructors (which free the board's pieces) and GLUT's own clean-up (which
// stops its events and frames), and tells the page through Module.onExit.
void endGame() {
    Sound::shutdown();
}

void keyboard(unsigned char key, int x, int y) {
    if (isExitKey(key)) {
        emscripten_force_exit(0);  // the mode is not asked, as on the desktop
    }
    onKeyboard(key, x, y);
}

void special(int key, int x, int y) {
    if (isExitSpecial(key, glutGetModifiers())) {
        emscripten_force_exit(0);
    }
    onSpecial(key, x, y);
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(BOARD_WIDTH, BOARD_HEIGHT);
    glutCreateWindow("Brindlecog");
    identifyWindow();
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
    glutReshapeFunc(reshape);
    glutMouseFunc(mouseOnceFilesArrive);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onPassiveMotion);
    glutKeyboardFunc(keyboard);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(special);
    glutSpecialUpFunc(onSpecialUp);

    changeState(&startState);
    initDisplayState();
    afterLateFiles(loadSounds);
    std::atexit(endGame);

    // What glutMainLoop does (the reshape for the canvas's size, the first frame asked for),
    // but with the runtime kept alive: otherwise it would end after the first frame, since
    // nothing in emscripten's GLUT holds it. The page's events and frames run the game now.
    glutReshapeWindow(BOARD_WIDTH, BOARD_HEIGHT);
    glutPostRedisplay();
    emscripten_exit_with_live_runtime();  // never returns
    return 0;
}
