#pragma once
// The game's start-up, the same on every platform; each platform's main adds its frame
// callbacks and runs its loop. The including file includes its own GLUT's header first, as for
// glut_calls.h.
#include "app/display_state.h"
#include "app/late_files.h"
#include "app/shell.h"
#include "app/window_identity.h"
#include "modes/start_state.h"

// GLUT and the window, named and identified; nothing drawn yet. The desktop asks for the board's
// 800 by 600; the page's canvas comes with the size the page gave it.
inline void openGameWindow(int* argc, char** argv, int width = BOARD_WIDTH,
                           int height = BOARD_HEIGHT) {
    glutInit(argc, argv);  // the arguments are GLUT's; the game has no options of its own
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutCreateWindow("Brindlecog");
    identifyWindow();
}

// The input callbacks, the first mode, the GL state and the sounds (once their files are
// there: late in the browser's page); SIGTERM ends the game.
inline void startGame() {
    glutReshapeFunc(reshape);
    glutMouseFunc(mouseOnceFilesArrive);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onPassiveMotion);
    glutKeyboardFunc(onKeyboard);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(onSpecial);
    glutSpecialUpFunc(onSpecialUp);

    changeState(&startState);
    initDisplayState();
    afterLateFiles(loadSounds);
    endOnTermination();
}
