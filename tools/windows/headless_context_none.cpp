// The headless window's drawing context on Windows, where there is no off-screen GL to draw
// into: no context at all. Without a current context opengl32 ignores every GL call, so the
// game's logic runs and dumps as on Linux, while nothing is drawn and a shot cannot be written.
#include "replay/headless_window.h"
#include "replay/screenshot.h"

void HeadlessWindow::createContext() {}
void HeadlessWindow::destroyContext() {}
void HeadlessWindow::drawIntoBuffer() {}
void HeadlessWindow::finishDrawing() const {}

bool writeScreenshot(const std::string&, int, int, const std::vector<unsigned char>&) {
    return false;  // there is no picture to write
}
