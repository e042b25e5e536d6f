// The shipped pictures and sounds, loaded the way the game loads them, and what the drawing
// and the sound code rely on in each.

#include <IL/il.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "audio/sdl_audio.h"
#include "audio/sound_names.h"
#include "render/asset_paths.h"
#include "render/texture_cache.h"
#include "support/gl_context.h"

namespace {

// A picture decoded by DevIL on its own: RGBA, top row first.
struct Picture {
    int width = 0, height = 0;
    bool hasAlpha = false;
    std::vector<unsigned char> rgba;
    // The alpha at a point given as fractions of the width and the height.
    int alpha(float x, float y) const {
        const int column = std::min(static_cast<int>(x * width), width - 1);
        const int row = std::min(static_cast<int>(y * height), height - 1);
        return rgba[(static_cast<size_t>(row) * width + column) * 4 + 3];
    }
};

Picture decode(const char* path) {
    static const bool ready = (ilInit(), true);  // when the game's loader has not run yet
    Picture picture;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    if (ilLoadImage(path)) {
        picture.hasAlpha = ilGetInteger(IL_IMAGE_FORMAT) == IL_RGBA;
        ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
        picture.width = ilGetInteger(IL_IMAGE_WIDTH);
        picture.height = ilGetInteger(IL_IMAGE_HEIGHT);
        const auto* data = static_cast<const unsigned char*>(ilGetData());
        picture.rgba.assign(data, data + picture.width * picture.height * 4);
    }
    ilDeleteImages(1, &image);
    return ready ? picture : Picture();
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

class Assets : public ::testing::Test {
  protected:
    InSourceDir inSource_;
    GlContext gl_;
};

TEST_F(Assets, EveryPictureLoadsWithPowerOfTwoSidesAndWholeFrames) {
    // Frames side by side; 0: a full-screen JPEG of 1024 by 1024, without alpha.
    const struct {
        const char* path;
        int frames;
        bool squareFrames;
    } pictures[] = {
        {SPLASH_IMAGE, 0, true},     {INSTRUCTIONS_IMAGE, 0, true}, {BACKGROUND_IMAGE, 0, true},
        {CURSORS_IMAGE, 4, true},    {CURSOR_GLOW_IMAGE, 1, false}, {TIGHT_LIGHT_IMAGE, 2, true},
        {GEAR_IMAGE, 1, false},      {MOTOR_IMAGE, 1, false},       {LINK_IMAGE, 1, true},
        {TOOLS_IMAGE, 1, false},     {BLUE_BUTTON_IMAGE, 2, true},  {GREEN_BUTTON_IMAGE, 2, true},
        {RED_BUTTON_IMAGE, 2, true}, {SWITCH_IMAGE, 2, false},
    };
    ASSERT_EQ(std::size(pictures), std::size(ALL_IMAGES));
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.path);
        testing::internal::CaptureStdout();
        EXPECT_EQ(TextureCache::get(p.path)->path, p.path) << "the game cannot load it";
        testing::internal::GetCapturedStdout();
        const Picture file = decode(p.path);
        EXPECT_TRUE(isPowerOfTwo(file.width) && isPowerOfTwo(file.height))
            << file.width << " by " << file.height;
        EXPECT_EQ(file.hasAlpha, p.frames > 0);
        const int frames = std::max(p.frames, 1);
        EXPECT_EQ(file.width % frames, 0);
        if (p.squareFrames) {
            EXPECT_EQ(file.width / frames, file.height);
        }
        if (p.frames == 0) {
            EXPECT_EQ(file.width, 1024);
        }
    }
}

TEST_F(Assets, PiecesAndPanelHaveTheirShapeWhereTheGameDrawsThem) {
    // Points as fractions of width and height, with the least and the most alpha there. A
    // gear's and the motor's teeth reach the picture's edge, where the chain lies, their corners
    // are clear and their hub solid. A link lies along x, solid at both pins, clear above and
    // below its plates. The tool bar has a handle along its top with rounded corners, and its
    // body is solid down to the bottom edge, which stays below the board while raised. The
    // glow fades out before its edge.
    const float pin = 0.5f - 0.5f / 1.641f;  // the link's left pin, in widths
    const struct {
        const char* path;
        float x, y;
        int least, most;
    } probes[] = {
        // clang-format off
        {GEAR_IMAGE, 0.5f, 0.01f, 201, 255}, {GEAR_IMAGE, 0.99f, 0.5f, 201, 255},
        {GEAR_IMAGE, 0, 0, 0, 0}, {GEAR_IMAGE, 1, 1, 0, 0}, {GEAR_IMAGE, 0.5f, 0.5f, 255, 255},
        {MOTOR_IMAGE, 0.5f, 0.01f, 201, 255}, {MOTOR_IMAGE, 0.99f, 0.5f, 201, 255},
        {MOTOR_IMAGE, 0, 0, 0, 0}, {MOTOR_IMAGE, 1, 1, 0, 0}, {MOTOR_IMAGE, 0.5f, 0.5f, 255, 255},
        {LINK_IMAGE, pin, 0.5f, 255, 255}, {LINK_IMAGE, 1 - pin, 0.5f, 255, 255},
        {LINK_IMAGE, 0.5f, 0.1f, 0, 0}, {LINK_IMAGE, 0.5f, 0.9f, 0, 0}, {TOOLS_IMAGE, 0, 0, 0, 31},
        {TOOLS_IMAGE, 1, 0, 0, 31}, {TOOLS_IMAGE, 0.5f, 0.01f, 255, 255},
        {TOOLS_IMAGE, 0.5f, 1, 255, 255}, {TOOLS_IMAGE, 0.04f, 1, 255, 255},
        {CURSOR_GLOW_IMAGE, 0, 0.5f, 0, 0}, {CURSOR_GLOW_IMAGE, 0.5f, 0.5f, 129, 255},
        // clang-format on
    };
    for (const auto& p : probes) {
        const Picture picture = decode(p.path);
        ASSERT_GT(picture.width, 8) << p.path;
        const int alpha = picture.alpha(p.x, p.y);
        EXPECT_TRUE(p.least <= alpha && alpha <= p.most)
            << p.path << " at " << p.x << ", " << p.y << ": " << alpha;
    }
    const Picture bar = decode(TOOLS_IMAGE);
    EXPECT_TRUE(bar.width == 512 && bar.height == 256) << "the bar's 512 by 256 units";
}

// The left channel of a sound decoded into the mixer's format (16 bits, two channels).
std::vector<int> decodeSound(const char* path) {
    std::vector<int> left;
    if (Mix_Chunk* chunk = Mix_LoadWAV(path)) {
        const auto* samples = reinterpret_cast<const std::int16_t*>(chunk->abuf);
        for (Uint32 i = 0; i < chunk->alen / 2; i += 2) {
            left.push_back(samples[i]);
        }
        Mix_FreeChunk(chunk);
    }
    return left;
}

int peak(const std::vector<int>& samples) {
    int peak = 0;
    for (int s : samples) {
        peak = std::max(peak, std::abs(s));
    }
    return peak;
}

double rms(std::vector<int>::const_iterator first, std::size_t count) {
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i, ++first) {
        sum += static_cast<double>(*first) * *first;
    }
    return std::sqrt(sum / count);
}

TEST_F(Assets, EverySoundLoadsUnclippedAndTheMusicLoopsQuietlyWithoutASeam) {
    SdlAudio::selectOutput(SdlAudio::Output::Silent);
    SdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    int quietestEffect = 32768;
    for (const SoundFile& sound : ALL_SOUNDS) {
        SCOPED_TRACE(sound.path);
        EXPECT_NE(audio.loadSample(sound.path, sound.loop), nullptr);
        const std::vector<int> pcm = decodeSound(sound.path);
        ASSERT_FALSE(pcm.empty());
        EXPECT_LT(peak(pcm), 32767) << "clipped";
        if (sound.refname != BACKGROUND_SOUND) {
            SDL_AudioSpec spec;
            Uint8* buffer = nullptr;
            Uint32 length = 0;
            ASSERT_NE(SDL_LoadWAV(sound.path, &spec, &buffer, &length), nullptr);
            SDL_FreeWAV(buffer);
            EXPECT_TRUE(spec.freq == 44100 && spec.format == AUDIO_S16LSB) << "16-bit at 44.1 kHz";
            EXPECT_LT(pcm.size(), 1.5 * 44100) << "effects are short sounds";
            quietestEffect = std::min(quietestEffect, peak(pcm));
        }
    }
    // The music: MPEG frames from the first byte (no tag before them), at least 20 s long,
    // peaking below every effect and below half the full scale.
    std::ifstream mp3(BACKGROUND_SOUND_FILE, std::ios::binary);
    EXPECT_TRUE(mp3.get() == 0xFF && (mp3.get() & 0xE0) == 0xE0) << "not an MPEG audio frame";
    const std::vector<int> music = decodeSound(BACKGROUND_SOUND_FILE);
    ASSERT_GE(music.size(), 20u * 44100);
    EXPECT_LT(peak(music), std::min(quietestEffect, 16384));
    // No silent gap at either end (an encoder's delay or padding), and the step from the last
    // sample back to the first no bigger than the large steps the music takes anyway.
    EXPECT_GT(rms(music.begin(), 441), 100.0) << "silence at the start of the loop";
    EXPECT_GT(rms(music.end() - 441, 441), 100.0) << "silence at the end";
    std::vector<int> steps;
    for (std::size_t i = 1; i < music.size(); ++i) {
        steps.push_back(std::abs(music[i] - music[i - 1]));
    }
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    EXPECT_LE(std::abs(music.front() - music.back()), steps[steps.size() * 99 / 100]);
}
TEST_F(Assets, AllFilesTogetherStayUnderTwoMegabytes) {
    std::uintmax_t total = 0;
    for (const char* folder : {"img", "sounds"}) {
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            total += file.file_size();
        }
    }
    EXPECT_LT(total, 2u * 1000 * 1000);
}

}  // namespace
