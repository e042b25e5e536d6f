// The replay tool's window for Windows, where there is no off-screen GL to draw into: no GL
// context at all. Without a current context opengl32 ignores every GL call, so the game's
// logic runs and dumps as on Linux, while nothing is drawn and a shot cannot be written.
#include <stdexcept>

#include "app/platform.h"
#include "replay/headless_window.h"
#include "replay/screenshot.h"

namespace {

HeadlessWindow* activeWindow = nullptr;

int elapsedMilliseconds() {
    return activeWindow->elapsedMilliseconds();
}

// As on Linux, the frame clock runs on the window system's clock, which the replay advances.
bool noCounterFrequency(std::int64_t* ticksPerSecond) {
    *ticksPerSecond = 0;
    return false;
}

bool noCounter(std::int64_t* ticks) {
    *ticks = 0;
    return false;
}

int modifiers() {
    return activeWindow->modifiers();
}

void reshapeWindow(int width, int height) {
    activeWindow->resize(width, height);
}

void nothing() {}

const platform::Backend headless = {
    elapsedMilliseconds, noCounterFrequency, noCounter, modifiers, reshapeWindow, nothing, nothing,
};

}  // namespace

HeadlessWindow::HeadlessWindow(int width, int height) {
    resize(width, height);
    activeWindow = this;
    platform::install(headless);
}

HeadlessWindow::~HeadlessWindow() {
    platform::install(platform::glutBackend());
    activeWindow = nullptr;
}

void HeadlessWindow::resize(int width, int height) {
    if (width <= 0 || height <= 0) {
        throw std::runtime_error("a window needs a positive size");
    }
    width_ = width;
    height_ = height;
}

const std::vector<unsigned char>& HeadlessWindow::pixels() const {
    return buffer_;  // nothing is drawn
}

int HeadlessWindow::modifiers() const {
    return (shift_ ? platform::MODIFIER_SHIFT : 0) | (alt_ ? platform::MODIFIER_ALT : 0);
}

bool writeScreenshot(const std::string&, int, int, const std::vector<unsigned char>&) {
    return false;  // there is no picture to write
}
