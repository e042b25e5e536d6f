#pragma once
// What the desktop's and the browser's GLUT backends share: the codes the modes receive from
// GLUT unchanged, the calls freeglut and emscripten's GLUT answer alike, and the backend table
// itself. The including file includes its own GLUT's header first: the Windows build's freeglut
// has only GL/freeglut.h, emscripten only GL/glut.h.
#include "app/platform.h"

static_assert(platform::MOUSE_LEFT == GLUT_LEFT_BUTTON &&
                  platform::MOUSE_MIDDLE == GLUT_MIDDLE_BUTTON &&
                  platform::MOUSE_RIGHT == GLUT_RIGHT_BUTTON,
              "the modes receive GLUT's button codes unchanged");
static_assert(platform::BUTTON_DOWN == GLUT_DOWN && platform::BUTTON_UP == GLUT_UP,
              "the modes receive GLUT's state codes unchanged");
static_assert(platform::MODIFIER_SHIFT == GLUT_ACTIVE_SHIFT &&
                  platform::MODIFIER_CTRL == GLUT_ACTIVE_CTRL &&
                  platform::MODIFIER_ALT == GLUT_ACTIVE_ALT && platform::KEY_F4 == GLUT_KEY_F4,
              "modifier and key codes are GLUT's");

namespace platform::glut_calls {

inline int elapsedMilliseconds() {
    return glutGet(GLUT_ELAPSED_TIME);
}

inline int modifiers() {
    return glutGetModifiers();
}

inline void screenSize(int* width, int* height) {
    *width = glutGet(GLUT_SCREEN_WIDTH);
    *height = glutGet(GLUT_SCREEN_HEIGHT);
}

// What differs between the platforms' GLUTs: the high-resolution counter, how a window takes a
// new size, and how the main loop is left.
struct Differences {
    bool (*counterFrequency)(std::int64_t* ticksPerSecond);
    bool (*counter)(std::int64_t* ticks);
    void (*reshapeWindow)(int width, int height);
    void (*leaveMainLoop)();
};

inline Backend backendWith(const Differences& own) {
    return {elapsedMilliseconds, own.counterFrequency, own.counter,
            modifiers,           own.reshapeWindow,    screenSize,
            glutPostRedisplay,   glutSwapBuffers,      own.leaveMainLoop};
}

}  // namespace platform::glut_calls
