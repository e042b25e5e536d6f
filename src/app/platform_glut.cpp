// The platform seam on the desktop (GLX and WGL alike): freeglut for the window and its events,
// the steady clock as the high-resolution counter.
#include <GL/freeglut.h>

#include <chrono>

#include "app/glut_calls.h"
#include "app/platform.h"

// freeglut's own key codes, beyond the ones every GLUT has.
static_assert(platform::KEY_SHIFT_LEFT == GLUT_KEY_SHIFT_L &&
                  platform::KEY_SHIFT_RIGHT == GLUT_KEY_SHIFT_R,
              "Shift's key codes are freeglut's");

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// The steady clock is the monotonic high-resolution counter: its ticks are its periods.
bool steadyFrequency(std::int64_t* ticksPerSecond) {
    *ticksPerSecond = Clock::period::den / Clock::period::num;
    return *ticksPerSecond > 0;
}

bool steadyCounter(std::int64_t* ticks) {
    *ticks = Clock::now().time_since_epoch().count();
    return true;
}

}  // namespace

// freeglut returns from glutMainLoop (GLUT_ACTION_GLUTMAINLOOP_RETURNS is set at start-up), so
// main returns and the program ends as any other does.
const Backend& glutBackend() {
    static const Backend glut = glut_calls::backendWith(
        {steadyFrequency, steadyCounter, glutReshapeWindow, glutLeaveMainLoop});
    return glut;
}

}  // namespace platform
