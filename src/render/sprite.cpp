#include "render/sprite.h"

#include <GL/gl.h>

#include "render/texture_cache.h"
#include "render/unit_quad.h"

unsigned unitQuad = 0;
int boundTexture = -1;
bool blendEnabled = false;

namespace {
// Texturing is on but the binding is not known (a texture load bound its own texture): the
// next sprite binds again, whatever its texture, without enabling texturing a second time.
constexpr int UNKNOWN_BINDING = -2;
constexpr int NO_BINDING = -1;
}  // namespace

Sprite::Sprite() {
    if (unitQuad == 0) {
        buildUnitQuad();
    }
    displayList = unitQuad;
}

Sprite::~Sprite() {
    if (texture != nullptr) {
        texture->release();
    }
}

void Sprite::setTexture(const char* path) {
    if (texture != nullptr) {
        texture->release();
    }
    texture = TextureCache::get(path);
}

void Sprite::buildUnitQuad() {
    // Without a current GL context this stays 0, and the next sprite tries again.
    unitQuad = buildUnitQuadList();
}

void Sprite::forgetBoundTexture() {
    if (boundTexture != NO_BINDING) {
        boundTexture = UNKNOWN_BINDING;
    }
}

void Sprite::forgetDrawingState() {
    // Set, not assumed: the browser's GL emulation keeps its texturing switch across contexts.
    glDisable(GL_TEXTURE_2D);
    boundTexture = NO_BINDING;
    glDisable(GL_BLEND);
    blendEnabled = false;
}

void Sprite::usePicture() {
    const int id = texture != nullptr ? static_cast<int>(texture->id) : NO_BINDING;
    if (id != boundTexture) {
        if (boundTexture == NO_BINDING) {
            glEnable(GL_TEXTURE_2D);
        }
        if (id == NO_BINDING) {
            glDisable(GL_TEXTURE_2D);
        } else {
            glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(id));
        }
        boundTexture = id;
    }

    if (blend != blendEnabled) {
        if (blend) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        } else {
            glDisable(GL_BLEND);
        }
        blendEnabled = blend;
    }
}

void Sprite::applyState() {
    usePicture();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(rotation, 0.0f, 0.0f, 1.0f);
    glTranslatef(offset.x, offset.y, offset.z);
    glScalef(scale.x, scale.y, scale.z);

    if (texTransform) {
        glMatrixMode(GL_TEXTURE);
        glPushMatrix();
        glLoadIdentity();
        glTranslatef(texOffset.u, texOffset.v, 0.0f);
        glScalef(texScale.u, texScale.v, 0.0f);
    }
}

void Sprite::draw() {
    if (hidden) {
        return;
    }
    applyState();
    glColor4fv(&color.r);
    drawGeometry(displayList);
    if (texTransform) {
        glMatrixMode(GL_TEXTURE);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
    glPopMatrix();
}
