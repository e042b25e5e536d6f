// Brindlecog: gears, motors and chains on a board.

#include <GL/freeglut.h>

#include "app/display_state.h"
#include "app/shell.h"
#include "app/window_identity.h"
#include "audio/sound.h"
#include "modes/start_state.h"

int main(int argc, char** argv) {
    glutInit(&argc, argv);  // the arguments are GLUT's; the game has no options of its own
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(BOARD_WIDTH, BOARD_HEIGHT);
    glutCreateWindow("Brindlecog");
    identifyWindow();
    // Closing the window returns from the main loop, so the audio library is closed cleanly.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);

    glutDisplayFunc(displayFrame);
    glutIdleFunc(idleFrame);
    glutReshapeFunc(reshape);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onPassiveMotion);
    glutKeyboardFunc(onKeyboard);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(onSpecial);
    glutSpecialUpFunc(onSpecialUp);

    changeState(&startState);
    initDisplayState();
    loadSounds();

    glutMainLoop();

    Sound::shutdown();
    return 0;
}
