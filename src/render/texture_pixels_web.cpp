#include "render/texture_pixels.h"

// WebGL has neither glGetTexLevelParameteriv nor glGetTexImage.
bool readTexturePixels(unsigned, int*, int*, std::vector<unsigned char>*) {
    return false;
}
