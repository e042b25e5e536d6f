#include "support/gl_context.h"

#include <GL/osmesa.h>

#include <stdexcept>

GlContext::GlContext(int width, int height)
    : width_(width), buffer_(static_cast<size_t>(width) * height * 4) {
    context_ = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
    if (context_ == nullptr ||
        !OSMesaMakeCurrent(static_cast<OSMesaContext>(context_), buffer_.data(), GL_UNSIGNED_BYTE,
                           width, height)) {
        throw std::runtime_error("cannot make an OSMesa context current");
    }
}

GlContext::~GlContext() {
    OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

const unsigned char* GlContext::pixel(int x, int y) const {
    glFinish();
    return &buffer_[(static_cast<size_t>(y) * width_ + x) * 4];
}
