#include "replay/screenshot.h"

#include <IL/il.h>

bool writeScreenshot(const std::string& path, int width, int height,
                     const std::vector<unsigned char>& rgba) {
    ilInit();  // does nothing once the texture cache has started the library

    // Blending leaves the frame buffer's alpha below 1 where translucent pictures were drawn;
    // the window shows the colour alone, so the file does too.
    const std::size_t pixelCount = static_cast<std::size_t>(width) * height;
    std::vector<unsigned char> rgb(pixelCount * 3);
    for (std::size_t i = 0; i < pixelCount; ++i) {
        rgb[i * 3] = rgba[i * 4];
        rgb[i * 3 + 1] = rgba[i * 4 + 1];
        rgb[i * 3 + 2] = rgba[i * 4 + 2];
    }

    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    bool written = ilTexImage(width, height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, rgb.data());
    ilRegisterOrigin(IL_ORIGIN_LOWER_LEFT);  // the rows came bottom first
    ilEnable(IL_FILE_OVERWRITE);
    written = written && ilSave(IL_PNG, path.c_str());
    ilDeleteImages(1, &image);
    return written;
}
