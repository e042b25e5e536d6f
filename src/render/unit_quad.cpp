#include "render/unit_quad.h"

#include <GL/gl.h>

namespace {
void compileUnitQuad(unsigned list) {
    glNewList(list, GL_COMPILE);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    for (int corner = 0; corner < 4; ++corner) {
        glTexCoord2f(UNIT_QUAD_TEX_COORDS[corner][0], UNIT_QUAD_TEX_COORDS[corner][1]);
        glVertex3f(UNIT_QUAD_VERTICES[corner][0], UNIT_QUAD_VERTICES[corner][1],
                   UNIT_QUAD_VERTICES[corner][2]);
    }
    glEnd();
    glEndList();
}
}  // namespace

unsigned buildUnitQuadList() {
    // Without a current GL context this yields 0.
    const unsigned list = glGenLists(1);
    if (list != 0) {
        compileUnitQuad(list);
    }
    return list;
}

// GL 1.x takes any unused name for a new list, not only one glGenLists handed out.
void rebuildUnitQuadList(unsigned name) {
    if (name != 0) {
        compileUnitQuad(name);
    }
}

void drawGeometry(unsigned name) {
    glCallList(name);
}
