// The platform seam on the desktop (GLX and WGL alike): freeglut for the window and its events,
// the steady clock as the high-resolution counter.
#include "app/platform.h"

#include <GL/freeglut.h>

#include <chrono>

static_assert(platform::MOUSE_LEFT == GLUT_LEFT_BUTTON &&
                  platform::MOUSE_MIDDLE == GLUT_MIDDLE_BUTTON &&
                  platform::MOUSE_RIGHT == GLUT_RIGHT_BUTTON,
              "the modes receive GLUT's button codes unchanged");
static_assert(platform::BUTTON_DOWN == GLUT_DOWN && platform::BUTTON_UP == GLUT_UP,
              "the modes receive GLUT's state codes unchanged");
static_assert(platform::MODIFIER_SHIFT == GLUT_ACTIVE_SHIFT &&
                  platform::MODIFIER_CTRL == GLUT_ACTIVE_CTRL &&
                  platform::MODIFIER_ALT == GLUT_ACTIVE_ALT && platform::KEY_F4 == GLUT_KEY_F4 &&
                  platform::KEY_SHIFT_LEFT == GLUT_KEY_SHIFT_L &&
                  platform::KEY_SHIFT_RIGHT == GLUT_KEY_SHIFT_R,
              "modifier and key codes are GLUT's");

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

int glutElapsedMilliseconds() {
    return glutGet(GLUT_ELAPSED_TIME);
}

// The steady clock is the monotonic high-resolution counter: its ticks are its periods.
bool steadyFrequency(std::int64_t* ticksPerSecond) {
    *ticksPerSecond = Clock::period::den / Clock::period::num;
    return *ticksPerSecond > 0;
}

bool steadyCounter(std::int64_t* ticks) {
    *ticks = Clock::now().time_since_epoch().count();
    return true;
}

int glutModifiers() {
    return glutGetModifiers();
}

void glutScreenSize(int* width, int* height) {
    *width = glutGet(GLUT_SCREEN_WIDTH);
    *height = glutGet(GLUT_SCREEN_HEIGHT);
}

const Backend glut = {
    glutElapsedMilliseconds, steadyFrequency, steadyCounter,     glutModifiers,
    glutReshapeWindow,       glutScreenSize,  glutPostRedisplay, glutSwapBuffers,
};

}  // namespace

const Backend& glutBackend() {
    return glut;
}

}  // namespace platform
