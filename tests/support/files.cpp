#include "support/files.h"

#include <IL/il.h>
#include <gtest/gtest.h>

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

const char* writePicture(const std::string& path, int width, int height,
                         const std::function<Rgba(int x, int y)>& colour) {
    static const bool ready = (ilInit(), true);
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
    EXPECT_TRUE(ready && ok) << "could not write " << path;
    return lastingPath(path);
}

bool writeToneWav(const std::string& path, float seconds) {
    const auto frames = static_cast<std::uint32_t>(seconds * 44100);
    // The canonical 44-byte header, as little-endian words (x86-64): "RIFF", "WAVE", "fmt ",
    // PCM with one channel, 44 100 frames a second of 2 bytes (16 bits), "data".
    const std::uint32_t header[11] = {0x46464952, 36 + frames * 2, 0x45564157, 0x20746d66,
                                      16,         0x00010001,      44100,      88200,
                                      0x00100002, 0x61746164,      frames * 2};
    std::vector<std::int16_t> samples(frames);
    for (std::uint32_t i = 0; i < frames; ++i) {
        samples[i] = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 440 * i / 44100.0));
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    out.write(reinterpret_cast<const char*>(samples.data()), frames * 2);
    return static_cast<bool>(out);
}
