#include "support/gl_calls.h"

#include <GL/gl.h>
#include <dlfcn.h>

GlCalls glCalls;

namespace {
template <class F>
F realFunction(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}
}  // namespace

extern "C" {

void glBindTexture(GLenum target, GLuint texture) {
    static auto real = realFunction<void (*)(GLenum, GLuint)>("glBindTexture");
    ++glCalls.bindTexture;
    real(target, texture);
}

void glEnable(GLenum cap) {
    static auto real = realFunction<void (*)(GLenum)>("glEnable");
    ++glCalls.enable;
    real(cap);
}

void glDisable(GLenum cap) {
    static auto real = realFunction<void (*)(GLenum)>("glDisable");
    ++glCalls.disable;
    real(cap);
}

void glBlendFunc(GLenum source, GLenum destination) {
    static auto real = realFunction<void (*)(GLenum, GLenum)>("glBlendFunc");
    ++glCalls.blendFunc;
    real(source, destination);
}

void glPushMatrix() {
    static auto real = realFunction<void (*)()>("glPushMatrix");
    ++glCalls.pushMatrix;
    real();
}

void glPopMatrix() {
    static auto real = realFunction<void (*)()>("glPopMatrix");
    ++glCalls.popMatrix;
    real();
}

void glCallList(GLuint list) {
    static auto real = realFunction<void (*)(GLuint)>("glCallList");
    ++glCalls.callList;
    real(list);
}

void glColor4fv(const GLfloat* colour) {
    static auto real = realFunction<void (*)(const GLfloat*)>("glColor4fv");
    ++glCalls.color;
    real(colour);
}

void glMatrixMode(GLenum mode) {
    static auto real = realFunction<void (*)(GLenum)>("glMatrixMode");
    ++glCalls.matrixMode;
    real(mode);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    static auto real = realFunction<void (*)(GLfloat, GLfloat, GLfloat)>("glTranslatef");
    ++glCalls.translate;
    real(x, y, z);
}

}  // extern "C"
