#include "modes/state.h"

bool State::enter(State* /*previous*/) {
    return true;
}
bool State::leave(State* /*next*/) {
    return true;
}
void State::display() {}
bool State::update() {
    return true;
}
void State::mouse(int /*button*/, int /*state*/, int /*x*/, int /*y*/) {}
void State::motion(int /*x*/, int /*y*/) {}
void State::passiveMotion(int /*x*/, int /*y*/) {}
void State::keyboard(unsigned char /*key*/, int /*x*/, int /*y*/) {}
void State::keyboardUp(unsigned char /*key*/, int /*x*/, int /*y*/) {}
void State::special(int /*key*/, int /*x*/, int /*y*/) {}
void State::specialUp(int /*key*/, int /*x*/, int /*y*/) {}
