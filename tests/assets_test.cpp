// The shipped pictures and sounds, loaded the way the game loads them, and what the drawing
// and the sound code rely on in each.

#include <GL/gl.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <vector>

#include "audio/sound_names.h"
#include "audio/system_audio.h"
#include "render/asset_paths.h"
#include "render/texture_cache.h"
#include "support/files.h"
#include "support/gl_context.h"
#include "support/said.h"

// A picture as the game uploads it, read back from GL: RGBA, top row first.
struct Picture {
    int width = 0, height = 0, alphaBits = 0;
    std::vector<unsigned char> rgba;
};

static Picture upload(const char* path) {
    Texture* texture = nullptr;
    said([&] { texture = TextureCache::get(lastingPath(path)); });  // a fresh entry, this context
    texture->release();
    Picture picture;
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &picture.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &picture.height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &picture.alphaBits);
    picture.rgba.resize(static_cast<size_t>(picture.width) * picture.height * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
    return picture;
}

// Runs from the source folder, where the game's img/ and sounds/ are.
struct Assets : ::testing::Test {
    void SetUp() override {
        const char* source = std::getenv("BRINDLECOG_SOURCE_DIR");
        ASSERT_NE(source, nullptr) << "BRINDLECOG_SOURCE_DIR is not set";
        std::filesystem::current_path(source);
    }
    void TearDown() override { std::filesystem::current_path(previous_); }
    const std::filesystem::path previous_ = std::filesystem::current_path();
    GlContext gl_;
};

TEST_F(Assets, EveryPictureLoadsWithPowerOfTwoSidesWholeFramesAndPiecesOfTheRightShape) {
    // Frames side by side; 0: a full-screen JPEG of 1024 by 1024, without alpha.
    // clang-format off
    const struct { const char* path; int frames; bool squareFrames; } pictures[] = {
        {SPLASH_IMAGE, 0, true}, {INSTRUCTIONS_IMAGE, 0, true}, {BACKGROUND_IMAGE, 0, true},
        {CURSORS_IMAGE, 4, true}, {CURSOR_GLOW_IMAGE, 1, false}, {TIGHT_LIGHT_IMAGE, 2, true},
        {GEAR_IMAGE, 1, false}, {MOTOR_IMAGE, 1, false}, {LINK_IMAGE, 1, true},
        {TOOLS_IMAGE, 1, false}, {BLUE_BUTTON_IMAGE, 2, true}, {GREEN_BUTTON_IMAGE, 2, true},
        {RED_BUTTON_IMAGE, 2, true}, {SWITCH_IMAGE, 2, false},
    };
    // clang-format on
    ASSERT_EQ(std::size(pictures), std::size(ALL_IMAGES));
    for (const auto& p : pictures) {
        const Picture picture = upload(p.path);
        const int w = picture.width, h = picture.height, frames = std::max(p.frames, 1);
        EXPECT_TRUE(w > 0 && (w & (w - 1)) == 0 && h > 0 && (h & (h - 1)) == 0 && w % frames == 0 &&
                    (!p.squareFrames || w / frames == h) && (p.frames > 0 || w == 1024))
            << p.path << ": " << w << " by " << h;
        EXPECT_EQ(picture.alphaBits > 0, p.frames > 0) << p.path;
    }
    // Points as fractions of width and height, with the least and the most alpha there. The
    // gear's and the motor's teeth reach the picture's edge, where the chain rides, and their
    // corners are clear. A link lies along x, solid at both pins, where its ends are: 0.5 / 1.641
    // of the width either side of the middle.
    // clang-format off
    const struct { const char* path; float x, y; int least, most; } probes[] = {
        {GEAR_IMAGE, 0.5f, 0.01f, 201, 255}, {GEAR_IMAGE, 0.99f, 0.5f, 201, 255},
        {GEAR_IMAGE, 0, 0, 0, 0}, {MOTOR_IMAGE, 0.5f, 0.01f, 201, 255}, {MOTOR_IMAGE, 1, 1, 0, 0},
        {LINK_IMAGE, 0.1953f, 0.5f, 255, 255}, {LINK_IMAGE, 0.8047f, 0.5f, 255, 255},
    };
    // clang-format on
    for (const auto& p : probes) {
        const Picture picture = upload(p.path);
        const int column = static_cast<int>(p.x * (picture.width - 1));
        const int row = static_cast<int>(p.y * (picture.height - 1));
        const int alpha =
            picture.rgba.at((static_cast<size_t>(row) * picture.width + column) * 4 + 3);
        EXPECT_TRUE(p.least <= alpha && alpha <= p.most)
            << p.path << " at " << p.x << ", " << p.y << ": " << alpha;
    }
}

// The left channel of a sound decoded into the mixer's format (16 bits, two channels).
static std::vector<int> decodeSound(const char* path) {
    std::vector<int> left;
    if (Mix_Chunk* chunk = Mix_LoadWAV(path)) {
        const auto* samples = reinterpret_cast<const std::int16_t*>(chunk->abuf);
        for (Uint32 i = 0; i < chunk->alen / 2; i += 2)
            left.push_back(samples[i]);
        Mix_FreeChunk(chunk);
    }
    return left;
}

TEST_F(Assets, EverySoundLoadsUnclippedTheMusicLoopsQuietlyWithoutASeamAndAllStaySmall) {
    silenceSystemAudio();
    SystemAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    const auto peak = [](const std::vector<int>& pcm) {
        return std::accumulate(pcm.begin(), pcm.end(), 0,
                               [](int most, int s) { return std::max(most, std::abs(s)); });
    };
    int quietestEffect = 32768;
    for (const SoundFile& sound : ALL_SOUNDS) {
        // Each decodes, unclipped, and every effect is a short sound.
        const std::vector<int> pcm = decodeSound(sound.path);
        EXPECT_TRUE(!pcm.empty() && peak(pcm) < 32767 && (sound.loop || pcm.size() < 1.5 * 44100))
            << sound.path << ": " << pcm.size() << " samples, peak " << peak(pcm);
        quietestEffect = sound.loop ? quietestEffect : std::min(quietestEffect, peak(pcm));
    }
    // The music: the looping sound, at least 20 s long, peaking below every effect and below half
    // the full scale.
    const std::vector<int> music = decodeSound(BACKGROUND_SOUND_FILE);
    ASSERT_GE(music.size(), 20u * 44100);
    EXPECT_LT(peak(music), std::min(quietestEffect, 16384));
    // No silent gap at either end (an encoder's delay or padding: 10 ms with an RMS under 100),
    // and the step from the last sample back to the first no bigger than the large steps the
    // music takes anyway.
    const auto power = [](auto at) { return std::inner_product(at, at + 441, at, 0.0); };
    EXPECT_TRUE(power(music.begin()) > 441e4 && power(music.end() - 441) > 441e4) << "a gap";
    std::vector<int> steps(music.size());
    std::adjacent_difference(music.begin(), music.end(), steps.begin(),
                             [](int a, int b) { return std::abs(a - b); });
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    EXPECT_LE(std::abs(music.front() - music.back()), steps[steps.size() * 99 / 100]);
    std::uintmax_t total = 0;  // pictures and sounds together
    for (const char* folder : {"img", "sounds"})
        for (const auto& file : std::filesystem::directory_iterator(folder))
            total += file.file_size();
    EXPECT_LT(total, 2u * 1000 * 1000) << "the files grew past two megabytes";
}
