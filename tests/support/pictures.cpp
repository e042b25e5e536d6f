#include "support/pictures.h"

#include <IL/il.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

bool writePicture(const std::string& path, int width, int height,
                  const std::function<Rgba(int x, int y)>& colour) {
    static bool ready = false;
    if (!ready) {
        ilInit();
        ready = true;
    }
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = colour(x, y);
            std::copy(c.begin(), c.end(), &pixels[(static_cast<size_t>(y) * width + x) * 4]);
        }
    }
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilDisable(IL_ORIGIN_SET);  // keep the rows as given
    bool ok = ilTexImage(width, height, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, pixels.data());
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);  // first row given is the top row
    ilEnable(IL_FILE_OVERWRITE);
    ok = ok && ilSaveImage(path.c_str());
    ilDeleteImages(1, &image);
    return ok;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brindlecog-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
