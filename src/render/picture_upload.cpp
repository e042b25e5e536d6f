// The upload both platforms' decoders share (picture_file.cpp, picture_file_web.cpp).
#include <GL/gl.h>

#include "render/picture_file.h"

void PictureFile::uploadToBoundTexture() const {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, EDGE_WRAP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, EDGE_WRAP);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    uploadPixels();
}
