#include "render/link_batch.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "mechanics/link.h"
#include "render/texture_cache.h"
#include "render/texture_pixels.h"

namespace {

// M_PI's value; M_PI itself is not standard C++ and strict modes (and mingw-w64) lack it.
constexpr double PI = 3.14159265358979323846;

// The unit quad's corners in Sprite::buildUnitQuad's order: bottom left, bottom right, top
// right, top left; s runs with x from 0 to 1, t against y from 0 (top) to 1.
constexpr bool RIGHT[4] = {false, true, true, false};
constexpr bool TOP[4] = {false, false, true, true};

// The part of a picture outside which every bilinear sample has alpha 0: one texel beyond
// the outermost texels with any alpha, so that a sample's second texel is still transparent.
// Under blending such fragments leave the pixel as it was, so a quad cut down to this part
// draws the same pixels; on a software renderer every fragment costs, and the link picture is
// transparent in almost half its rows. The whole picture if nothing in it is visible.
Texture::VisiblePart measureVisiblePart(unsigned texture) {
    Texture::VisiblePart part;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
    const bool read = readTexturePixels(texture, &width, &height, &rgba);
    Sprite::forgetBoundTexture();  // bound outside the sprites' remembered state
    if (!read) {
        return part;  // drawn whole: the same pixels, only more fragments
    }
    int left = width, right = -1, top = height, bottom = -1;  // texels with any alpha
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (rgba[(static_cast<std::size_t>(row) * width + column) * 4 + 3] != 0) {
                left = std::min(left, column);
                right = std::max(right, column);
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
        }
    }
    if (right < 0) {
        return part;  // nothing visible; drawn whole, as rare as it is harmless
    }
    // Row 0 is at t = 0 (pictures upload top row first).
    part.s0 = std::max(0, left - 1) / static_cast<float>(width);
    part.s1 = std::min(width, right + 2) / static_cast<float>(width);
    part.t0 = std::max(0, top - 1) / static_cast<float>(height);
    part.t1 = std::min(height, bottom + 2) / static_cast<float>(height);
    return part;
}

const Texture::VisiblePart whole;

// Measured once per texture: the pictures never change once loaded.
const Texture::VisiblePart& visiblePart(const Link& link) {
    Texture* texture = link.texture;
    if (!link.blend || texture == nullptr || texture->id == Texture::NO_TEXTURE) {
        return whole;  // without blending a transparent fragment still writes
    }
    if (!texture->visibleMeasured) {
        texture->visible = measureVisiblePart(texture->id);
        texture->visibleMeasured = true;
    }
    return texture->visible;
}

// Kept from frame to frame: drawing allocates nothing once they have grown.
std::vector<GLfloat> vertices;   // x, y, z per corner
std::vector<GLfloat> texCoords;  // s, t per corner
Link* runHead = nullptr;         // the link whose state the run shares

bool batchable(const Link& link) {
    return !link.hidden && !link.texTransform && link.displayList == unitQuad;
}

// Colours are compared bit for bit: equal bits draw alike, and a -0 against a 0 only splits a run.
// glColor4fv below reads the four channels from r onwards.
static_assert(sizeof(Color) == 4 * sizeof(float), "Color is four packed floats");

bool sameRun(const Link& link, const Link& head) {
    return link.texture == head.texture && link.blend == head.blend &&
           std::memcmp(&link.color, &head.color, sizeof(Color)) == 0;
}

void flush() {
    if (runHead == nullptr) {
        return;
    }
    runHead->usePicture();
    glColor4fv(&runHead->color.r);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(vertices.size() / 3));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    vertices.clear();
    texCoords.clear();
    runHead = nullptr;
}

// The corners where glTranslate(position) glRotate(rotation) glTranslate(offset)
// glScale(scale) puts the unit quad; the angle is turned to radians as GL turns it.
void append(const Link& link, const Texture::VisiblePart& part) {
    const double radians = static_cast<double>(link.rotation) * PI / 180.0;
    const float c = std::cos(static_cast<float>(radians));
    const float s = std::sin(static_cast<float>(radians));
    for (int k = 0; k < 4; ++k) {
        const float u = RIGHT[k] ? part.s1 : part.s0;
        const float t = TOP[k] ? part.t0 : part.t1;
        const float x = link.offset.x + link.scale.x * (u - 0.5f);
        const float y = link.offset.y + link.scale.y * (0.5f - t);
        vertices.push_back(link.position.x + (c * x - s * y));
        vertices.push_back(link.position.y + (s * x + c * y));
        vertices.push_back(link.position.z + link.offset.z);
        texCoords.push_back(u);
        texCoords.push_back(t);
    }
}

void drawLinks(const std::vector<Link*>& links) {
    for (Link* link : links) {
        if (!batchable(*link)) {
            flush();
            link->draw();
            continue;
        }
        if (runHead != nullptr && !sameRun(*link, *runHead)) {
            flush();
        }
        if (runHead == nullptr) {
            runHead = link;
        }
        append(*link, visiblePart(*link));
    }
}
}  // namespace

void drawLinkBatch(const std::vector<Link*>& under, const std::vector<Link*>& over) {
    drawLinks(under);
    drawLinks(over);
    flush();
}
