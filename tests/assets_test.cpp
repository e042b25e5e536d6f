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
    const float pin = 0.5f / 1.641f;  // the link's pins, from its centre, in widths
    const struct {
        const char* path;
        float x, y;
        int least, most;
        const char* what;
    } probes[] = {
        // A gear's and the motor's teeth reach the picture's edge, where the chain lies.
        {GEAR_IMAGE, 0.5f, 0.01f, 201, 255, "tooth at the top edge"},
        {GEAR_IMAGE, 0.99f, 0.5f, 201, 255, "tooth at the right edge"},
        {GEAR_IMAGE, 0.0f, 0.0f, 0, 0, "clear corner"},
        {GEAR_IMAGE, 1.0f, 1.0f, 0, 0, "clear corner"},
        {GEAR_IMAGE, 0.5f, 0.5f, 255, 255, "solid hub"},
        {MOTOR_IMAGE, 0.5f, 0.01f, 201, 255, "tooth at the top edge"},
        {MOTOR_IMAGE, 0.99f, 0.5f, 201, 255, "tooth at the right edge"},
        {MOTOR_IMAGE, 0.0f, 0.0f, 0, 0, "clear corner"},
        {MOTOR_IMAGE, 1.0f, 1.0f, 0, 0, "clear corner"},
        {MOTOR_IMAGE, 0.5f, 0.5f, 255, 255, "solid hub"},
        // A link lies along x, solid at both pins, clear above and below its plates.
        {LINK_IMAGE, 0.5f - pin, 0.5f, 255, 255, "left pin"},
        {LINK_IMAGE, 0.5f + pin, 0.5f, 255, 255, "right pin"},
        {LINK_IMAGE, 0.5f, 0.1f, 0, 0, "clear above"},
        {LINK_IMAGE, 0.5f, 0.9f, 0, 0, "clear below"},
        // The tool bar: a handle along its top with rounded corners, its body solid down to
        // the bottom edge, which stays below the board while raised.
        {TOOLS_IMAGE, 0.0f, 0.0f, 0, 31, "rounded top left"},
        {TOOLS_IMAGE, 1.0f, 0.0f, 0, 31, "rounded top right"},
        {TOOLS_IMAGE, 0.5f, 0.01f, 255, 255, "handle"},
        {TOOLS_IMAGE, 0.5f, 1.0f, 255, 255, "solid bottom"},
        {TOOLS_IMAGE, 0.04f, 1.0f, 255, 255, "solid bottom"},
        // The glow fades out before its edge.
        {CURSOR_GLOW_IMAGE, 0.0f, 0.5f, 0, 0, "clear edge"},
        {CURSOR_GLOW_IMAGE, 0.5f, 0.5f, 129, 255, "bright centre"},
    };
    for (const auto& p : probes) {
        const Picture picture = decode(p.path);
        ASSERT_GT(picture.width, 8) << p.path;
        const int alpha = picture.alpha(p.x, p.y);
        EXPECT_TRUE(p.least <= alpha && alpha <= p.most)
            << p.path << ": " << p.what << ", " << alpha;
    }
    const Picture bar = decode(TOOLS_IMAGE);
    EXPECT_TRUE(bar.width == 512 && bar.height == 256) << "the bar's 512 by 256 units";
}

// A sound decoded into the mixer's format, 16-bit samples with interleaved channels.
struct Pcm {
    std::vector<std::int16_t> samples;
    int channels = 2, rate = 0;
    Pcm(const char* path) {
        Mix_QuerySpec(&rate, nullptr, &channels);
        if (Mix_Chunk* chunk = Mix_LoadWAV(path)) {
            const auto* data = reinterpret_cast<const std::int16_t*>(chunk->abuf);
            samples.assign(data, data + chunk->alen / 2);
            Mix_FreeChunk(chunk);
        }
    }
    size_t frames() const { return samples.size() / channels; }
    int at(size_t frame) const { return samples[frame * channels]; }
    double seconds() const { return static_cast<double>(frames()) / rate; }
    int peak() const {
        int peak = 0;
        for (std::int16_t s : samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        }
        return peak;
    }
    double rms(size_t first, size_t count) const {
        double sum = 0;
        for (size_t f = first; f < first + count; ++f) {
            sum += static_cast<double>(at(f)) * at(f);
        }
        return std::sqrt(sum / count);
    }
};

TEST_F(Assets, EverySoundLoadsUnclippedAndTheMusicLoopsQuietlyWithoutASeam) {
    SdlAudio::selectOutput(SdlAudio::Output::Silent);
    SdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    int quietestEffect = 32768;
    for (const SoundFile& sound : ALL_SOUNDS) {
        SCOPED_TRACE(sound.path);
        EXPECT_NE(audio.loadSample(sound.path, sound.loop), nullptr);
        const Pcm pcm(sound.path);
        ASSERT_GT(pcm.frames(), 0u);
        EXPECT_LT(pcm.peak(), 32767) << "clipped";
        if (sound.refname != BACKGROUND_SOUND) {
            SDL_AudioSpec spec;
            Uint8* buffer = nullptr;
            Uint32 length = 0;
            ASSERT_NE(SDL_LoadWAV(sound.path, &spec, &buffer, &length), nullptr);
            SDL_FreeWAV(buffer);
            EXPECT_TRUE(spec.freq == 44100 && spec.format == AUDIO_S16LSB) << "16-bit at 44.1 kHz";
            EXPECT_LT(pcm.seconds(), 1.5) << "effects are short sounds";
            quietestEffect = std::min(quietestEffect, pcm.peak());
        }
    }

    // The music: MPEG frames from the first byte (no tag before them), at least 20 s long,
    // peaking below every effect and below half the full scale.
    std::ifstream mp3(BACKGROUND_SOUND_FILE, std::ios::binary);
    unsigned char sync[2] = {};
    mp3.read(reinterpret_cast<char*>(sync), 2);
    EXPECT_TRUE(sync[0] == 0xFF && (sync[1] & 0xE0) == 0xE0) << "not an MPEG audio frame";
    const Pcm music(BACKGROUND_SOUND_FILE);
    ASSERT_GT(music.frames(), 0u);
    EXPECT_GE(music.seconds(), 20.0);
    EXPECT_LT(music.peak(), std::min(quietestEffect, 16384));
    // No silent gap at either end (an encoder's delay or padding), and the step from the last
    // sample back to the first no bigger than the large steps the music takes anyway.
    const size_t tenMs = music.rate / 100;
    EXPECT_GT(music.rms(0, tenMs), 100.0) << "silence at the start of the loop";
    EXPECT_GT(music.rms(music.frames() - tenMs, tenMs), 100.0) << "silence at the end";
    std::vector<int> steps;
    for (size_t f = 1; f < music.frames(); ++f) {
        steps.push_back(std::abs(music.at(f) - music.at(f - 1)));
    }
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    EXPECT_LE(std::abs(music.at(0) - music.at(music.frames() - 1)), steps[steps.size() * 99 / 100]);
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
