#include "support/files.h"

#include <IL/il.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <vector>

TempFolder::TempFolder() {
    path_ = (std::filesystem::temp_directory_path() / "brindlecog-XXXXXX").string();
    if (mkdtemp(path_.data()) == nullptr) {
        std::abort();
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

const char* lastingPath(const std::string& text) {
    static std::deque<std::string> store;  // a deque never moves its elements
    return store.emplace_back(text).c_str();
}

bool writePicture(const std::string& path, int width, int height,
                  const std::function<Rgba(int x, int y)>& colour) {
    static const bool ready = (ilInit(), true);
    (void)ready;
    std::vector<unsigned char> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = colour(x, y);
            pixels.insert(pixels.end(), c.begin(), c.end());
        }
    }
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilDisable(IL_ORIGIN_SET);  // keep the rows as given: the first is the top one
    bool ok = ilTexImage(width, height, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, pixels.data());
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    ilEnable(IL_FILE_OVERWRITE);
    ok = ok && ilSaveImage(path.c_str());
    ilDeleteImages(1, &image);
    return ok;
}

bool writeToneWav(const std::string& path, float seconds) {
    const int rate = 44100;
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::ofstream out(path, std::ios::binary);
    const auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.put(static_cast<char>(value >> (8 * i)));
        }
    };
    out.write("RIFF", 4);
    put(36 + frames * 2, 4);
    out.write("WAVEfmt ", 8);
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(rate, 4);
    put(rate * 2, 4);  // bytes per second
    put(2, 2);         // bytes per frame
    put(16, 2);        // bits per sample
    out.write("data", 4);
    put(frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        put(static_cast<std::uint16_t>(
                std::lround(8000.0 * std::sin(2.0 * M_PI * 440.0 * i / rate))),
            2);
    }
    return static_cast<bool>(out);
}
