#include "app/touch_pointer.h"

#include "app/platform.h"

bool TouchPointer::beyondSlop(int x, int y) const {
    const double dx = x - startX_;
    const double dy = y - startY_;
    return dx * dx + dy * dy > slop_ * slop_;
}

int TouchPointer::buttonAfter(double ms) const {
    return ms - startMs_ >= LONG_PRESS_MS ? platform::MOUSE_RIGHT : platform::MOUSE_LEFT;
}

void TouchPointer::start(int finger, int x, int y, double ms) {
    if (phase_ != Phase::Idle) {
        return;  // one finger is the pointer; the others do nothing
    }
    phase_ = Phase::Touching;
    finger_ = finger;
    startX_ = lastX_ = x;
    startY_ = lastY_ = y;
    startMs_ = ms;
    events_.passiveMotion(x, y);
}

void TouchPointer::move(int finger, int x, int y, double ms) {
    if (!isFollowed(finger)) {
        return;
    }
    lastX_ = x;
    lastY_ = y;
    if (phase_ == Phase::Touching) {
        if (!beyondSlop(x, y)) {
            return;  // still holding: a tap or a long press
        }
        // The press lands where the finger came down, on what it meant to pick up.
        button_ = buttonAfter(ms);
        phase_ = Phase::Dragging;
        events_.mouse(button_, platform::BUTTON_DOWN, startX_, startY_);
    }
    events_.motion(x, y);
}

void TouchPointer::end(int finger, int x, int y, double ms) {
    if (!isFollowed(finger)) {
        return;
    }
    if (phase_ == Phase::Touching) {
        // It never left the slop: a click where it came down.
        const int button = buttonAfter(ms);
        events_.mouse(button, platform::BUTTON_DOWN, startX_, startY_);
        events_.mouse(button, platform::BUTTON_UP, startX_, startY_);
    } else {
        if (x != lastX_ || y != lastY_) {
            events_.motion(x, y);
        }
        events_.mouse(button_, platform::BUTTON_UP, x, y);
    }
    phase_ = Phase::Idle;
}

void TouchPointer::cancel(int finger) {
    if (!isFollowed(finger)) {
        return;
    }
    if (phase_ == Phase::Dragging) {
        events_.mouse(button_, platform::BUTTON_UP, lastX_, lastY_);
    }
    phase_ = Phase::Idle;
}
