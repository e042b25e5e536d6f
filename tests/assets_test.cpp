// The shipped pictures and sounds, loaded the way the game loads them: pictures through the
// texture cache into a GL context, sounds through the SDL audio layer on the silent output.
// The checks are what the drawing and the sound code rely on.

#include <GL/gl.h>
#include <IL/il.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/sdl_audio.h"
#include "audio/sound_names.h"
#include "render/asset_paths.h"
#include "render/texture_cache.h"
#include "support/gl_context.h"

namespace {

std::vector<unsigned char> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

bool isJpegPath(const char* path) {
    return path == SPLASH_IMAGE || path == INSTRUCTIONS_IMAGE || path == BACKGROUND_IMAGE;
}

// A picture decoded to RGBA bytes, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    const unsigned char* at(int x, int y) const {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
    int alpha(int x, int y) const { return at(x, y)[3]; }
};

// Decodes a picture with DevIL on its own, whatever origin the game's loader has set.
Picture decode(const char* path) {
    Picture picture;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (ilLoadImage(path) && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE)) {
        picture.width = ilGetInteger(IL_IMAGE_WIDTH);
        picture.height = ilGetInteger(IL_IMAGE_HEIGHT);
        const auto* data = static_cast<const unsigned char*>(ilGetData());
        const size_t row = static_cast<size_t>(picture.width) * 4;
        picture.rgba.resize(row * picture.height);
        const bool bottomFirst = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT;
        for (int y = 0; y < picture.height; ++y) {
            const int source = bottomFirst ? picture.height - 1 - y : y;
            std::memcpy(&picture.rgba[row * y], data + row * source, row);
        }
    }
    ilDeleteImages(1, &image);
    return picture;
}

// The texture's level 0 as GL holds it: row 0 is t = 0, the top edge of the unit quad.
Picture readTexture(unsigned id) {
    Picture picture;
    glBindTexture(GL_TEXTURE_2D, id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &picture.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &picture.height);
    picture.rgba.resize(static_cast<size_t>(picture.width) * picture.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
    return picture;
}

int framesIn(const char* path) {
    if (path == CURSORS_IMAGE) {
        return 4;
    }
    if (path == TIGHT_LIGHT_IMAGE || path == SWITCH_IMAGE || path == BLUE_BUTTON_IMAGE ||
        path == GREEN_BUTTON_IMAGE || path == RED_BUTTON_IMAGE) {
        return 2;
    }
    return 1;
}

class AssetsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The image library is set up by the game's loader on its first load (its origin
        // setting included); decode() then uses it as the game left it.
        testing::internal::CaptureStdout();
        TextureCache::get(LINK_IMAGE)->release();
        testing::internal::GetCapturedStdout();
    }

    InSourceDir inSource_;
    GlContext gl_;
};

TEST_F(AssetsTest, EveryPictureLoadsUprightWithPowerOfTwoSizesAndWholeFrames) {
    for (const char* path : ALL_IMAGES) {
        SCOPED_TRACE(path);
        const std::vector<unsigned char> bytes = readFile(path);
        ASSERT_GT(bytes.size(), 8u) << "missing or empty";
        if (isJpegPath(path)) {
            EXPECT_TRUE(bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) << "not JPEG";
        } else {
            EXPECT_EQ(std::memcmp(bytes.data(), "\x89PNG\r\n\x1a\n", 8), 0) << "not PNG";
            // Colour type 6 (RGBA, 8 bits) in the IHDR chunk.
            EXPECT_EQ(bytes[24], 8);
            EXPECT_EQ(bytes[25], 6) << "PNG without an alpha channel";
        }

        // Entries loaded by earlier tests in this process belong to a context that is gone;
        // only a fresh entry has a texture in this one.
        const bool fresh = TextureCache::find(path) == nullptr;
        testing::internal::CaptureStdout();
        Texture* texture = TextureCache::get(path);
        testing::internal::GetCapturedStdout();
        ASSERT_NE(texture->id, Texture::NO_TEXTURE) << "the game cannot load it";

        const Picture file = decode(path);
        ASSERT_GT(file.width, 0);
        EXPECT_TRUE(isPowerOfTwo(file.width)) << file.width;
        EXPECT_TRUE(isPowerOfTwo(file.height)) << file.height;
        const int frames = framesIn(path);
        EXPECT_EQ(file.width % frames, 0);
        if (path == CURSORS_IMAGE || path == TIGHT_LIGHT_IMAGE || path == BLUE_BUTTON_IMAGE ||
            path == GREEN_BUTTON_IMAGE || path == RED_BUTTON_IMAGE) {
            EXPECT_EQ(file.width / frames, file.height) << "square sprites need square frames";
        }
        if (isJpegPath(path)) {
            EXPECT_EQ(file.width, 1024);
            EXPECT_EQ(file.height, 1024);
        }

        if (fresh) {
            const Picture uploaded = readTexture(texture->id);
            EXPECT_EQ(uploaded.width, file.width);
            EXPECT_EQ(uploaded.height, file.height);
            // Upright: the file's top row is the texture's row at t = 0.
            if (uploaded.rgba.size() == file.rgba.size()) {
                const size_t row = static_cast<size_t>(file.width) * 4;
                EXPECT_TRUE(
                    std::equal(file.rgba.begin(), file.rgba.begin() + row, uploaded.rgba.begin()));
            }
        }
        texture->release();
    }
}

TEST_F(AssetsTest, PiecesAndPanelHaveTheirShapeWhereTheGameDrawsThem) {
    // The gear's and the motor's teeth reach the circle of the picture's edge, where the
    // chain's points are pushed, and the corners outside it are clear.
    for (const char* path : {GEAR_IMAGE, MOTOR_IMAGE}) {
        SCOPED_TRACE(path);
        const Picture piece = decode(path);
        ASSERT_GT(piece.width, 8);
        const int w = piece.width;
        EXPECT_GT(piece.alpha(w / 2, 1), 200) << "no tooth at the top edge";
        EXPECT_GT(piece.alpha(w - 2, w / 2), 200) << "no tooth at the right edge";
        EXPECT_EQ(piece.alpha(0, 0), 0);
        EXPECT_EQ(piece.alpha(w - 1, w - 1), 0);
        EXPECT_EQ(piece.alpha(w / 2, w / 2), 255) << "the hub is solid";
    }

    // The link lies along x: solid at both pins (0.5 -/+ 0.5 / 1.641 of the width), clear
    // above and below its plates.
    const Picture link = decode(LINK_IMAGE);
    ASSERT_EQ(link.width, link.height);
    const int w = link.width;
    const int pinOffset = static_cast<int>(std::lround(w * 0.5 / 1.641));
    EXPECT_EQ(link.alpha(w / 2 - pinOffset, w / 2), 255);
    EXPECT_EQ(link.alpha(w / 2 + pinOffset, w / 2), 255);
    EXPECT_EQ(link.alpha(w / 2, w / 10), 0);
    EXPECT_EQ(link.alpha(w / 2, w - 1 - w / 10), 0);

    // The tool bar: 512 x 256, a handle along its top with rounded corners, and a body that
    // runs solid to the bottom edge (which stays below the board while raised).
    const Picture bar = decode(TOOLS_IMAGE);
    EXPECT_EQ(bar.width, 512);
    EXPECT_EQ(bar.height, 256);
    if (bar.width == 512 && bar.height == 256) {
        EXPECT_LT(bar.alpha(0, 0), 32);  // at most a trace of the panel's shadow
        EXPECT_LT(bar.alpha(511, 0), 32);
        EXPECT_EQ(bar.alpha(256, 2), 255) << "handle missing at the top";
        EXPECT_EQ(bar.alpha(256, 255), 255);
        EXPECT_EQ(bar.alpha(20, 255), 255);
    }

    // The glow fades out to nothing before its edge.
    const Picture glow = decode(CURSOR_GLOW_IMAGE);
    ASSERT_GT(glow.width, 0);
    EXPECT_EQ(glow.alpha(0, glow.height / 2), 0);
    EXPECT_GT(glow.alpha(glow.width / 2, glow.height / 2), 128);
}

// The samples of a decoded sound in the mixer's format (16-bit, interleaved channels).
struct Pcm {
    std::vector<std::int16_t> samples;
    int channels = 0;
    int rate = 0;

    size_t frames() const { return channels ? samples.size() / channels : 0; }
    int at(size_t frame, int channel = 0) const { return samples[frame * channels + channel]; }
    int peak() const {
        int p = 0;
        for (std::int16_t s : samples) {
            p = std::max(p, std::abs(static_cast<int>(s)));
        }
        return p;
    }
    double rms(size_t first, size_t count) const {
        double sum = 0;
        for (size_t f = first; f < first + count; ++f) {
            sum += static_cast<double>(at(f)) * at(f);
        }
        return std::sqrt(sum / count);
    }
};

// What the layer holds after loadSample, decoded the same way (the layer's Sample is opaque).
Pcm decodeSound(const char* path) {
    Pcm pcm;
    Uint16 format = 0;
    if (Mix_QuerySpec(&pcm.rate, &format, &pcm.channels) == 0 || format != AUDIO_S16SYS) {
        return pcm;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(path);
    if (chunk != nullptr) {
        pcm.samples.resize(chunk->alen / 2);
        std::memcpy(pcm.samples.data(), chunk->abuf, pcm.samples.size() * 2);
        Mix_FreeChunk(chunk);
    }
    return pcm;
}

std::uint32_t little32(const std::vector<unsigned char>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TEST_F(AssetsTest, EverySoundLoadsAndTheMusicLoopsUnderTheEffects) {
    SdlAudio::selectOutput(SdlAudio::Output::Silent);
    SdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    int loudestEffect = 0;
    int quietestEffect = 1 << 20;
    for (const SoundFile& sound : ALL_SOUNDS) {
        SCOPED_TRACE(sound.path);
        const std::vector<unsigned char> bytes = readFile(sound.path);
        ASSERT_GT(bytes.size(), 44u) << "missing or empty";
        EXPECT_NE(audio.loadSample(sound.path, sound.loop), nullptr);
        const Pcm pcm = decodeSound(sound.path);
        ASSERT_GT(pcm.frames(), 0u);
        EXPECT_LT(pcm.peak(), 32767) << "clipped";

        if (sound.path == BACKGROUND_SOUND_FILE) {
            continue;
        }
        // 16-bit PCM at 44 100 Hz.
        EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
        EXPECT_EQ(std::memcmp(bytes.data() + 8, "WAVEfmt ", 8), 0);
        EXPECT_EQ(bytes[20] | bytes[21] << 8, 1);  // PCM
        EXPECT_EQ(little32(bytes, 24), 44100u);
        EXPECT_EQ(bytes[34] | bytes[35] << 8, 16);
        loudestEffect = std::max(loudestEffect, pcm.peak());
        quietestEffect = std::min(quietestEffect, pcm.peak());
        EXPECT_LT(static_cast<double>(pcm.frames()) / pcm.rate, 1.5) << "effects are short sounds";
    }

    // The music: MP3 frames from the first byte (no tag before them), at least 20 s long,
    // peaking below every effect.
    const std::vector<unsigned char> mp3 = readFile(BACKGROUND_SOUND_FILE);
    ASSERT_GT(mp3.size(), 4u);
    EXPECT_TRUE(mp3[0] == 0xFF && (mp3[1] & 0xE0) == 0xE0) << "not an MPEG audio frame";
    const Pcm music = decodeSound(BACKGROUND_SOUND_FILE);
    ASSERT_GT(music.rate, 0);
    const double seconds = static_cast<double>(music.frames()) / music.rate;
    EXPECT_GE(seconds, 20.0);
    EXPECT_LT(music.peak(), quietestEffect);
    EXPECT_LT(music.peak(), 32768 / 2);

    // It loops without a seam: no silent gap at either end (an encoder's delay or padding
    // left in), and the step from the last sample back to the first is no bigger than the
    // steps the music takes anyway.
    const size_t tenMs = music.rate / 100;
    EXPECT_GT(music.rms(0, tenMs), 100.0) << "silence at the start of the loop";
    EXPECT_GT(music.rms(music.frames() - tenMs, tenMs), 100.0) << "silence at the end";
    std::vector<int> steps;
    for (size_t f = 1; f < music.frames(); ++f) {
        steps.push_back(std::abs(music.at(f) - music.at(f - 1)));
    }
    std::sort(steps.begin(), steps.end());
    const int typicalLargeStep = steps[steps.size() * 99 / 100];
    const int seam = std::abs(music.at(0) - music.at(music.frames() - 1));
    EXPECT_LE(seam, typicalLargeStep);
    audio.close();
}

TEST_F(AssetsTest, AllFilesTogetherStayUnderTwoMegabytes) {
    size_t total = 0;
    for (const char* path : ALL_IMAGES) {
        total += readFile(path).size();
    }
    for (const SoundFile& sound : ALL_SOUNDS) {
        total += readFile(sound.path).size();
    }
    EXPECT_GT(total, 0u);
    EXPECT_LT(total, 2u * 1000 * 1000);
}

}  // namespace
