#include "replay/headless_window.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "app/platform.h"

namespace {

// The platform backend is a table of plain functions; they reach the one window through this.
HeadlessWindow* activeWindow = nullptr;

int elapsedMilliseconds() {
    return activeWindow->elapsedMilliseconds();
}

// There is no high-resolution counter: a frame clock would use the window system's clock.
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
    activeWindow->requestSize(width, height);
}

// Far larger than any window a script asks for: the screen never limits the replay's window.
void screenSize(int* width, int* height) {
    *width = HeadlessWindow::SCREEN_SIZE;
    *height = HeadlessWindow::SCREEN_SIZE;
}

// The replay draws every frame anyway.
void postRedisplay() {}

// The context draws straight into the buffer; a swap only has to wait for the drawing to end.
void swapBuffers() {
    activeWindow->finishDrawing();
}

// The script is the replay's main loop: an exit key ends the run there, with the game's status.
void leaveMainLoop() {
    std::exit(0);
}

const platform::Backend headless = {
    elapsedMilliseconds, noCounterFrequency, noCounter,   modifiers,     reshapeWindow,
    screenSize,          postRedisplay,      swapBuffers, leaveMainLoop,
};

}  // namespace

HeadlessWindow::HeadlessWindow(int width, int height) {
    createContext();
    resize(width, height);
    activeWindow = this;
    platform::install(headless);
}

HeadlessWindow::~HeadlessWindow() {
    platform::install(platform::glutBackend());
    activeWindow = nullptr;
    destroyContext();
}

void HeadlessWindow::resize(int width, int height) {
    if (width == width_ && height == height_) {
        return;  // a window asked for its own size keeps its picture
    }
    if (width <= 0 || height <= 0) {
        throw std::runtime_error("a window needs a positive size");
    }
    width_ = width;
    height_ = height;
    bufferWidth_ = std::min(width, MAX_BUFFER_SIDE);
    bufferHeight_ = std::min(height, MAX_BUFFER_SIDE);
    bufferStale_ = true;
    if (buffer_.empty()) {
        prepareBuffer();  // the first buffer: GL needs a current context from the start
    }
}

void HeadlessWindow::prepareBuffer() {
    if (bufferStale_) {
        buffer_.assign(static_cast<std::size_t>(bufferWidth_) * bufferHeight_ * 4, 0);
        drawIntoBuffer();
        bufferStale_ = false;
    }
}

const std::vector<unsigned char>& HeadlessWindow::pixels() const {
    finishDrawing();
    return buffer_;
}

void HeadlessWindow::requestSize(int width, int height) {
    if (grantsRequests_) {
        granted_ = {width, height};
    }
}

std::optional<std::pair<int, int>> HeadlessWindow::takeNewSize() {
    std::optional<std::pair<int, int>> granted;
    granted.swap(granted_);
    if (granted && granted->first == width_ && granted->second == height_) {
        granted.reset();  // a window system reports a size only when it changes
    }
    if (granted) {
        resize(granted->first, granted->second);
    }
    return granted;
}

void HeadlessWindow::restart() {
    elapsedSeconds_ = 0.0;
    shift_ = false;
    alt_ = false;
    grantsRequests_ = true;
    granted_.reset();
}

int HeadlessWindow::modifiers() const {
    return (shift_ ? platform::MODIFIER_SHIFT : 0) | (alt_ ? platform::MODIFIER_ALT : 0);
}
