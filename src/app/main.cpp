// Brindlecog: gears, motors and chains on a board.

#include <GL/freeglut.h>

#include "app/glut_start.h"

int main(int argc, char** argv) {
    openGameWindow(&argc, argv);
    startGame();
    // Closing the window ends the game as the exit keys do, and then returns from the main loop.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutCloseFunc(endGame);
    glutDisplayFunc(displayFrame);
    glutIdleFunc(idleFrame);

    glutMainLoop();
    return 0;
}
