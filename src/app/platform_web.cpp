// The platform seam in the browser: emscripten's GLUT for the canvas and its events, and the
// page's high-resolution clock.
#include <GL/glut.h>
#include <emscripten.h>

#include <cmath>

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

namespace platform {
namespace {

constexpr std::int64_t MICROSECONDS = 1000000;

int glutElapsedMilliseconds() {
    return glutGet(GLUT_ELAPSED_TIME);
}

// emscripten_get_now() is performance.now(): milliseconds as a double, monotonic, with the
// page's (deliberately coarsened) resolution. Counted here in microseconds.
bool pageFrequency(std::int64_t* ticksPerSecond) {
    *ticksPerSecond = MICROSECONDS;
    return true;
}

bool pageCounter(std::int64_t* ticks) {
    *ticks = static_cast<std::int64_t>(std::llround(emscripten_get_now() * 1000.0));
    return true;
}

int glutModifiers() {
    return glutGetModifiers();
}

// Emscripten's glutReshapeWindow resizes the canvas and calls the reshape callback at once,
// where a desktop window system answers later and only for a new size. The game's reshape asks
// for its own size again, so a request for the canvas's present size must change nothing.
void reshapeCanvas(int width, int height) {
    if (width == glutGet(GLUT_WINDOW_WIDTH) && height == glutGet(GLUT_WINDOW_HEIGHT)) {
        return;
    }
    glutReshapeWindow(width, height);
}

// Emscripten's GLUT reports the canvas as the screen: the game's snap never grows the canvas
// past what the page gave it.
void glutScreenSize(int* width, int* height) {
    *width = glutGet(GLUT_SCREEN_WIDTH);
    *height = glutGet(GLUT_SCREEN_HEIGHT);
}

const Backend glut = {
    glutElapsedMilliseconds, pageFrequency,  pageCounter,       glutModifiers,
    reshapeCanvas,           glutScreenSize, glutPostRedisplay, glutSwapBuffers,
};

}  // namespace

const Backend& glutBackend() {
    return glut;
}

}  // namespace platform
