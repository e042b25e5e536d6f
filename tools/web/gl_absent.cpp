// GL for the replay tool under Node.js, where there is no WebGL: every call the game makes does
// nothing, as opengl32 does on Windows without a current context. The game's logic runs and
// dumps as on the desktop; nothing is drawn.
#include <GL/gl.h>
#include <emscripten/html5.h>

// No context is ever current, so the sprites' quad is never built (unit_quad_web.cpp).
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE emscripten_webgl_get_current_context() {
    return 0;
}

void glAlphaFunc(GLenum, GLclampf) {}
void glBegin(GLenum) {}
void glBindTexture(GLenum, GLuint) {}
void glBlendFunc(GLenum, GLenum) {}
void glClear(GLbitfield) {}
void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) {}
void glClearDepth(GLclampd) {}
void glColor4fv(const GLfloat*) {}
void glCullFace(GLenum) {}
void glDeleteTextures(GLsizei, const GLuint*) {}
void glDepthFunc(GLenum) {}
void glDisable(GLenum) {}
void glDisableClientState(GLenum) {}
void glDrawArrays(GLenum, GLint, GLsizei) {}
void glEnable(GLenum) {}
void glEnd() {}
void glEnableClientState(GLenum) {}
void glFrontFace(GLenum) {}
void glGenTextures(GLsizei, GLuint*) {}  // leaves the names unset, as without a context
void glHint(GLenum, GLenum) {}
void glLoadIdentity() {}
void glMatrixMode(GLenum) {}
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}
void glPixelStorei(GLenum, GLint) {}
void glPolygonMode(GLenum, GLenum) {}
void glPopMatrix() {}
void glPushMatrix() {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glScalef(GLfloat, GLfloat, GLfloat) {}
void glScissor(GLint, GLint, GLsizei, GLsizei) {}
void glShadeModel(GLenum) {}
void glTexCoord2f(GLfloat, GLfloat) {}
void glTexCoordPointer(GLint, GLenum, GLsizei, const GLvoid*) {}
void glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const GLvoid*) {}
void glTexParameteri(GLenum, GLenum, GLint) {}
void glTranslatef(GLfloat, GLfloat, GLfloat) {}
void glVertex3f(GLfloat, GLfloat, GLfloat) {}
void glVertexPointer(GLint, GLenum, GLsizei, const GLvoid*) {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
