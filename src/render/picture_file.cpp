#include "render/picture_file.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

struct PictureFile::Decoded {
    ILuint image = 0;
};

namespace {
bool imageLibraryReady = false;

void initImageLibrary() {
    ilInit();
    iluInit();
    ilutRenderer(ILUT_OPENGL);
    imageLibraryReady = true;
}

// ILUT uploads bottom row first, as GL expects by default; our quad has t = 0 at its top
// edge. Every picture is brought to a known orientation at load (bottom row first, whatever
// the file format stores) and flipped once more before the upload, so its top row lands at
// t = 0 and it shows upright. Set on every load: the setting is the library's global state.
void loadBottomRowFirst() {
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_LOWER_LEFT);
}
}  // namespace

PictureFile::PictureFile(const char* path) : decoded_(new Decoded) {
    if (!imageLibraryReady) {
        initImageLibrary();
    }
    ilGenImages(1, &decoded_->image);
    ilBindImage(decoded_->image);
    loadBottomRowFirst();
    loaded_ = ilLoadImage(path);
    if (loaded_) {
        iluFlipImage();
    }
}

PictureFile::~PictureFile() {
    ilDeleteImages(1, &decoded_->image);
    delete decoded_;
}

// GL_CLAMP blends the outermost half texel with the border colour, as the pictures were made for.
const int PictureFile::EDGE_WRAP = GL_CLAMP;

void PictureFile::uploadPixels() const {
    ilBindImage(decoded_->image);
    ilutGLTexImage(0);
}
