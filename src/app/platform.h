#pragma once

#include <cstdint>

// The few window-system and clock services the game's code uses, behind one seam: in the
// game they are GLUT's and the steady clock; the headless replay and the tests install
// their own. Nothing outside src/app knows which one runs.
namespace platform {

// GLUT's codes, which the modes receive unchanged.
constexpr int MOUSE_LEFT = 0;
constexpr int MOUSE_MIDDLE = 1;
constexpr int MOUSE_RIGHT = 2;
// Buttons past these are the wheel's notches (3 and 4) and tilts, as freeglut reports them.
constexpr bool isPointerButton(int button) {
    return button == MOUSE_LEFT || button == MOUSE_MIDDLE || button == MOUSE_RIGHT;
}
constexpr int BUTTON_DOWN = 0;
constexpr int BUTTON_UP = 1;
constexpr int MODIFIER_SHIFT = 1;
constexpr int MODIFIER_CTRL = 2;
constexpr int MODIFIER_ALT = 4;
constexpr int KEY_F4 = 4;
constexpr int KEY_SHIFT_LEFT = 112;  // freeglut reports the Shift keys as special keys
constexpr int KEY_SHIFT_RIGHT = 113;

struct Backend {
    // Milliseconds since the window system started (GLUT_ELAPSED_TIME).
    int (*elapsedMilliseconds)();
    // Ticks per second of a monotonic high-resolution counter; false if there is none.
    bool (*counterFrequency)(std::int64_t* ticksPerSecond);
    bool (*counter)(std::int64_t* ticks);
    // The modifier keys held during the current mouse, keyboard or special event (MODIFIER_*
    // bits); undefined elsewhere, as GLUT's.
    int (*modifiers)();
    void (*reshapeWindow)(int width, int height);
    // The screen's size in pixels (GLUT_SCREEN_WIDTH, GLUT_SCREEN_HEIGHT).
    void (*screenSize)(int* width, int* height);
    void (*postRedisplay)();
    void (*swapBuffers)();
    // Returns from the platform's main loop (or ends the program where the loop never returns);
    // only endGame calls it, once the audio is closed.
    void (*leaveMainLoop)();
};

// The backend in use; GLUT's until another is installed.
const Backend& current();
void install(const Backend& backend);
const Backend& glutBackend();

}  // namespace platform
