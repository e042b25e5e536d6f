#include <GL/gl.h>
#include <emscripten/html5.h>

#include "render/unit_quad.h"

namespace {
constexpr unsigned UNIT_QUAD = 1;
}

unsigned buildUnitQuadList() {
    return emscripten_webgl_get_current_context() != 0 ? UNIT_QUAD : 0;
}

// The name stands for the quad itself: nothing lives in the context.
void rebuildUnitQuadList(unsigned /*name*/) {}

// The quad in immediate mode, which the emulation draws through the texture matrix (its client
// arrays ignore that matrix, and sprites with several frames need it). No normal: nothing is
// lit, and the emulation wants every vertex to carry the same attributes.
void drawGeometry(unsigned name) {
    if (name != UNIT_QUAD) {
        return;
    }
    glBegin(GL_QUADS);
    for (int corner = 0; corner < 4; ++corner) {
        glTexCoord2f(UNIT_QUAD_TEX_COORDS[corner][0], UNIT_QUAD_TEX_COORDS[corner][1]);
        glVertex3f(UNIT_QUAD_VERTICES[corner][0], UNIT_QUAD_VERTICES[corner][1],
                   UNIT_QUAD_VERTICES[corner][2]);
    }
    glEnd();
}
