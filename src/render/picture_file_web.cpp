// Pictures through emscripten's own stb_image (-sSTB_IMAGE=1, prebuilt in its system
// libraries): exact JPEG and PNG pixels, with straight alpha as DevIL gives them.
#include <GL/gl.h>
#include <stb_image.h>

#include "render/picture_file.h"

struct PictureFile::Decoded {
    unsigned char* pixels = nullptr;  // stb_image's rows, top row first
    int width = 0;
    int height = 0;
    int channels = 0;
};

PictureFile::PictureFile(const char* path) : decoded_(new Decoded) {
    // The file's own channels: grey, grey and alpha, RGB or RGBA (palettes become RGB or RGBA).
    decoded_->pixels = stbi_load(path, &decoded_->width, &decoded_->height, &decoded_->channels, 0);
    loaded_ = decoded_->pixels != nullptr;
}

PictureFile::~PictureFile() {
    stbi_image_free(decoded_->pixels);
    delete decoded_;
}

// WebGL has no GL_CLAMP (which blends the outermost half texel with a border colour); clamping
// to the edge texels is the nearest it has.
const int PictureFile::EDGE_WRAP = GL_CLAMP_TO_EDGE;

void PictureFile::uploadPixels() const {
    static constexpr GLenum FORMATS[] = {GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};
    const GLenum format = FORMATS[decoded_->channels - 1];
    // The first row in memory lands at t = 0, where the quad has its top edge. WebGL wants the
    // same internal format as the data's.
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), decoded_->width, decoded_->height, 0,
                 format, GL_UNSIGNED_BYTE, decoded_->pixels);
}
