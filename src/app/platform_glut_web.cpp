// The platform seam in the browser: emscripten's GLUT for the canvas and its events, and the
// page's high-resolution clock.
#include <GL/glut.h>
#include <emscripten.h>

#include <cmath>

#include "app/glut_calls.h"
#include "app/platform.h"

namespace platform {
namespace {

constexpr std::int64_t MICROSECONDS = 1000000;

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

// Emscripten's glutReshapeWindow resizes the canvas and calls the reshape callback at once,
// where a desktop window system answers later and only for a new size. The game's reshape asks
// for its own size again, so a request for the canvas's present size must change nothing.
void reshapeCanvas(int width, int height) {
    if (width == glutGet(GLUT_WINDOW_WIDTH) && height == glutGet(GLUT_WINDOW_HEIGHT)) {
        return;
    }
    glutReshapeWindow(width, height);
}

// The runtime is kept alive for the page's events, so a plain exit() would only stop the current
// call. emscripten_force_exit ends it: the static destructors (which free the board's pieces)
// and GLUT's own clean-up (which stops its events and frames) run, and the page hears of it
// through Module.onExit.
void endRuntime() {
    emscripten_force_exit(0);
}

}  // namespace

// Emscripten's GLUT reports the canvas as the screen: the game's snap never grows the canvas
// past what the page gave it.
const Backend& glutBackend() {
    static const Backend glut =
        glut_calls::backendWith({pageFrequency, pageCounter, reshapeCanvas, endRuntime});
    return glut;
}

}  // namespace platform
