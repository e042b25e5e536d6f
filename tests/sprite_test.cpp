#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "render/sprite.h"
#include "render/texture_cache.h"
#include "support/files.h"
#include "support/gl_context.h"

namespace {

// A 16 by 16 picture in four colours: red, green on top; blue, yellow below.
Rgba quarters(int x, int y) {
    static const Rgba colours[4] = {
        {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 0, 255}};
    return colours[(y < 8 ? 0 : 2) + (x < 8 ? 0 : 1)];
}

// The colour nearest a pixel: blac(k), (w)hite, (h)alf grey, (r)ed, (g)reen, (b)lue, (y)ellow.
char colourAt(const GlContext& gl, int x, int y) {
    const unsigned char* p = gl.pixel(x, y);
    const struct {
        char name;
        int r, g, b;
    } palette[] = {{'k', 0, 0, 0},   {'w', 255, 255, 255}, {'h', 128, 128, 128}, {'r', 255, 0, 0},
                   {'g', 0, 255, 0}, {'b', 0, 0, 255},     {'y', 255, 255, 0}};
    for (const auto& c : palette) {
        if (std::abs(p[0] - c.r) < 48 && std::abs(p[1] - c.g) < 48 && std::abs(p[2] - c.b) < 48) {
            return c.name;
        }
    }
    return '?';
}

// The colours at the centres of the four quarters of the 64 by 64 context, which shows board
// units -32..32 on both axes: top left, top right, bottom left, bottom right.
std::string quarterColours(const GlContext& gl) {
    return {colourAt(gl, 16, 48), colourAt(gl, 48, 48), colourAt(gl, 16, 16), colourAt(gl, 48, 16)};
}

class SpriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        glMatrixMode(GL_PROJECTION);
        glOrtho(-32, 32, -32, 32, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        // A fresh context: forget what drawing in earlier contexts remembered.
        unitQuad = 0;
        boundTexture = -1;
        blendEnabled = false;
    }
    const char* picture(const char* name, const std::function<Rgba(int, int)>& colour) {
        const char* path = lastingPath(folder_.file(name));
        writePicture(path, 16, 16, colour);
        return path;
    }
    std::string draw(Sprite& sprite) {
        glClear(GL_COLOR_BUFFER_BIT);
        sprite.draw();
        return quarterColours(gl_);
    }
    GlContext gl_;
    TempFolder folder_;
    const char* png_ = picture("quarters.png", quarters);
};

TEST_F(SpriteTest, ShowsItsPictureUprightPlacedTintedAndBlended) {
    const struct {
        const char* name;
        std::function<void(Sprite&)> set;
        const char* quarters;
    } cases[] = {
        {"PNG picture", [](Sprite&) {}, "rgby"},
        {"JPEG picture", [&](Sprite& s) { s.setTexture(picture("quarters.jpg", quarters)); },
         "rgby"},
        {"right frame of two",
         [](Sprite& s) { s.texTransform = true, s.texScale.u = s.texOffset.u = 0.5f; }, "ggyy"},
        {"hidden", [](Sprite& s) { s.hidden = true; }, "kkkk"},
        {"no picture: flat tint",
         [](Sprite& s) {
             s.texture = nullptr, s.color = {0, 1, 0, 1};
         },
         "gggg"},
        {"half transparent", [](Sprite& s) { s.texture = nullptr, s.color.a = 0.5f; }, "hhhh"},
        {"blending off", [](Sprite& s) { s.texture = nullptr, s.color.a = 0.5f, s.blend = false; },
         "wwww"},
        {"offset turns with it, scale does not",
         [](Sprite& s) {
             s.texture = nullptr, s.scale = {16, 16, 1}, s.position = {0, -32, 0};
             s.rotation = 90, s.offset = {16, 16, 0};
         },
         "kkwk"},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStdout();
        Sprite sprite;
        sprite.setTexture(png_);
        sprite.scale = {64, 64, 1};
        c.set(sprite);
        testing::internal::GetCapturedStdout();
        GLint depths[2] = {}, after[3] = {};
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depths[0]);
        glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &depths[1]);
        EXPECT_EQ(draw(sprite), c.quarters) << c.name;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after[0]);
        glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &after[1]);
        glGetIntegerv(GL_MATRIX_MODE, &after[2]);
        EXPECT_TRUE(after[0] == depths[0] && after[1] == depths[1] && after[2] == GL_MODELVIEW)
            << c.name << ": matrix stacks left changed";
    }
}

TEST_F(SpriteTest, EachSpriteShowsItsOwnPictureWhateverWasDrawnOrLoadedBefore) {
    Sprite flat, quartered, blue;
    flat.scale = quartered.scale = blue.scale = {64, 64, 1};
    EXPECT_EQ(draw(flat), "wwww");
    testing::internal::CaptureStdout();
    quartered.setTexture(png_);  // loaded while texturing is off
    EXPECT_EQ(draw(quartered), "rgby") << "after a sprite without picture";
    blue.setTexture(picture("blue.png", [](int, int) { return Rgba{0, 0, 255, 255}; }));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(draw(quartered), "rgby") << "after another picture was loaded";
    // Sprites with the picture already bound do not bind it again.
    glBindTexture(GL_TEXTURE_2D, blue.texture->id);
    EXPECT_EQ(draw(quartered), "bbbb");
}

// What the first sprite a process draws shows.
std::string firstSprite() {
    GlContext gl;
    glOrtho(-32, 32, -32, 32, -1, 1);
    TempFolder folder;
    writePicture(folder.file("first.png"), 16, 16, quarters);
    Sprite sprite;
    sprite.setTexture(lastingPath(folder.file("first.png")));
    sprite.scale = {64, 64, 1};
    sprite.draw();
    return quarterColours(gl);
}

TEST(SpriteStartUp, TheProgramsFirstSpriteShowsItsPicture) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, untouched by others
    EXPECT_EXIT(std::exit(firstSprite() == "rgby" ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

TEST(SpriteWithoutContext, GetsNoQuadAndTriesAgainNextTime) {
    unitQuad = 0;
    EXPECT_EQ(Sprite().displayList, 0u);
    GlContext gl;
    EXPECT_NE(Sprite().displayList, 0u);
    EXPECT_EQ(Sprite().displayList, unitQuad);
}

TEST(SpriteCopies, ShareTheTextureWithoutTakingAReference) {
    Texture texture;
    {
        Sprite original;
        original.texture = &texture;
        Sprite copy = original;
        EXPECT_EQ(texture.refCount, 1);
    }
    EXPECT_EQ(texture.refCount, 0) << "two releases, but counts stop at 0";
}

}  // namespace
