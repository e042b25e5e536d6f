#include "app/window_identity.h"

#include <IL/il.h>
#include <IL/ilu.h>

#include "render/asset_paths.h"

std::vector<unsigned char> windowIconRgba(int size) {
    ilInit();
    iluInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    std::vector<unsigned char> rgba;
    if (ilLoadImage(GEAR_IMAGE) && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE)) {
        iluImageParameter(ILU_FILTER, ILU_BILINEAR);
        iluScale(size, size, 1);
        const ILubyte* data = ilGetData();
        rgba.assign(data, data + static_cast<std::size_t>(size) * size * 4);
    }
    ilDeleteImages(1, &image);
    return rgba;
}
