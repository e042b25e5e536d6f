#include "render/texture_pixels.h"

#include <GL/gl.h>

bool readTexturePixels(unsigned texture, int* width, int* height,
                       std::vector<unsigned char>* rgba) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint w = 0;
    GLint h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    if (w <= 0 || h <= 0) {
        return false;
    }
    rgba->resize(static_cast<std::size_t>(w) * h * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba->data());
    *width = w;
    *height = h;
    return true;
}
