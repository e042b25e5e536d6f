// The headless window's drawing context on Linux: Mesa's off-screen GL, drawing into the
// window's own buffer.
#include <GL/osmesa.h>

#include <stdexcept>

#include "replay/headless_window.h"

void HeadlessWindow::createContext() {
    // RGBA with depth and stencil, like the game's GLUT_RGBA | GLUT_DEPTH window.
    context_ = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
    if (context_ == nullptr) {
        throw std::runtime_error("cannot create an OSMesa context");
    }
}

void HeadlessWindow::destroyContext() {
    OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

void HeadlessWindow::drawIntoBuffer() {
    // The same context on a new buffer keeps its textures and display lists.
    if (!OSMesaMakeCurrent(static_cast<OSMesaContext>(context_), buffer_.data(), GL_UNSIGNED_BYTE,
                           bufferWidth_, bufferHeight_)) {
        throw std::runtime_error("cannot make the OSMesa context current");
    }
}

void HeadlessWindow::finishDrawing() const {
    glFinish();
}
