#include "app/shell.h"

#include <GL/gl.h>

#include <csignal>

#include "app/board_box.h"
#include "app/display_state.h"
#include "app/frame_clock.h"
#include "app/held_modifiers.h"
#include "app/platform.h"
#include "audio/sound.h"
#include "audio/sound_names.h"
#include "modes/state.h"

State* currentState = nullptr;

namespace {
constexpr unsigned char ESCAPE_KEY = 27;
constexpr unsigned char CTRL_Q_KEY = 17;  // Ctrl+Q as GLUT reports it

volatile std::sig_atomic_t terminationRequested = 0;

void requestTermination(int) {
    terminationRequested = 1;
}
}  // namespace

bool changeState(State* next) {
    State* previous = currentState;
    if (previous != nullptr && !previous->leave(next)) {
        return false;  // vetoed: nothing changes
    }
    if (next != nullptr) {
        next->enter(previous);  // currentState still names the old mode meanwhile
    }
    currentState = next;
    return true;
}

void displayFrame() {
    clearLetterbox();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    if (currentState != nullptr) {
        currentState->display();
    }
    glPopMatrix();
    platform::current().swapBuffers();
}

void advanceFrame() {
    if (currentState != nullptr && currentState->update()) {
        platform::current().postRedisplay();
    }
}

void idleFrame() {
    if (terminationRequested != 0) {
        terminationRequested = 0;
        endGame();
        return;
    }
    updateClock();
    advanceFrame();
}

void onMouse(int button, int state, int x, int y) {
    noteModifiers(platform::current().modifiers());
    if (currentState != nullptr) {
        currentState->mouse(button, state, x, y);
    }
}

void onMotion(int x, int y) {
    if (currentState != nullptr) {
        currentState->motion(x, y);
    }
}

void onPassiveMotion(int x, int y) {
    if (currentState != nullptr) {
        currentState->passiveMotion(x, y);
    }
}

bool isExitKey(unsigned char key) {
    return key == ESCAPE_KEY || key == CTRL_Q_KEY;
}

bool isExitSpecial(int key, int modifiers) {
    return key == platform::KEY_F4 && (modifiers & platform::MODIFIER_ALT) != 0;
}

void onKeyboard(unsigned char key, int x, int y) {
    noteModifiers(platform::current().modifiers());
    if (isExitKey(key)) {
        endGame();  // the mode is not asked
        return;
    }
    if (currentState != nullptr) {
        currentState->keyboard(key, x, y);
    }
}

void onKeyboardUp(unsigned char key, int x, int y) {
    noteModifiers(platform::current().modifiers());
    if (currentState != nullptr) {
        currentState->keyboardUp(key, x, y);
    }
}

void onSpecial(int key, int x, int y) {
    const int modifiers = platform::current().modifiers();
    noteModifiers(modifiers);
    noteSpecialKey(key, true);
    if (isExitSpecial(key, modifiers)) {
        endGame();
        return;
    }
    if (currentState != nullptr) {
        currentState->special(key, x, y);
    }
}

void onSpecialUp(int key, int x, int y) {
    noteModifiers(platform::current().modifiers());
    noteSpecialKey(key, false);
    if (currentState != nullptr) {
        currentState->specialUp(key, x, y);
    }
}

void endGame() {
    Sound::shutdown();  // stops every sound and closes the audio layer
    platform::current().leaveMainLoop();
}

void endOnTermination() {
    std::signal(SIGTERM, requestTermination);
}

void initDisplayState() {
    glClearColor(CLEAR_GREY, CLEAR_GREY, CLEAR_GREY, 1.0f);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    initSwapControl();
    setCulling(false);
    setDepthTest(false, false);
    setVSync(true);
    glEnable(GL_NORMALIZE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void loadSounds() {
    Sound* sound = Sound::instance();
    for (const SoundFile& file : ALL_SOUNDS) {
        sound->load(file.path, file.refname, file.loop);  // a failure leaves only its line
    }
}
