#pragma once

#include <vector>

// A texture's level 0 read back from GL, RGBA, row 0 first: desktop GL hands it out
// (texture_pixels.cpp); WebGL cannot tell a texture's size, so there the answer is always
// false (texture_pixels_web.cpp) and callers do without.
bool readTexturePixels(unsigned texture, int* width, int* height, std::vector<unsigned char>* rgba);
