#include "render/unit_quad.h"

#include <GL/gl.h>

unsigned buildUnitQuadList() {
    // Without a current GL context this yields 0.
    const unsigned list = glGenLists(1);
    if (list == 0) {
        return 0;
    }
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
    return list;
}

void drawGeometry(unsigned name) {
    glCallList(name);
}
