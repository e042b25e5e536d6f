// The installed backend, the same on every platform; each platform's file (platform_glut.cpp,
// platform_glut_web.cpp) supplies only its GLUT backend.
#include "app/platform.h"

namespace platform {
namespace {

// A function's static, so that it is GLUT's from the first call whatever order the files'
// statics are built in.
Backend& active() {
    static Backend backend = glutBackend();
    return backend;
}

}  // namespace

const Backend& current() {
    return active();
}

void install(const Backend& backend) {
    active() = backend;
}

}  // namespace platform
