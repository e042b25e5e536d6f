#include "support/gl_context.h"

#include <GL/osmesa.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

GlContext::GlContext(int width, int height)
    : width_(width), height_(height), buffer_(static_cast<size_t>(width) * height * 4) {
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
    if (context == nullptr ||
        !OSMesaMakeCurrent(context, buffer_.data(), GL_UNSIGNED_BYTE, width, height)) {
        throw std::runtime_error("cannot make an OSMesa context current");
    }
    context_ = context;
}

GlContext::~GlContext() {
    OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

const unsigned char* GlContext::pixel(int x, int y) const {
    glFinish();
    return &buffer_[(static_cast<size_t>(y) * width_ + x) * 4];
}

InSourceDir::InSourceDir() : previous_(4096) {
    if (getcwd(previous_.data(), previous_.size()) == nullptr) {
        previous_[0] = '\0';
    }
    const char* source = std::getenv("BRINDLECOG_SOURCE_DIR");
    if (source == nullptr || chdir(source) != 0) {
        throw std::runtime_error("BRINDLECOG_SOURCE_DIR is not a readable folder");
    }
}

InSourceDir::~InSourceDir() {
    if (previous_[0] != '\0' && chdir(previous_.data()) != 0) {
        std::abort();
    }
}
