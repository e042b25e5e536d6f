#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "render/sprite.h"
#include "render/texture_cache.h"
#include "support/files.h"
#include "support/gl_context.h"
#include "support/said.h"

namespace {

// A 16 by 16 picture in four colours: red, green on top; blue, yellow below.
Rgba quarters(int x, int y) {
    const Rgba colours[4] = {
        {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 0, 255}};
    return colours[(y < 8 ? 0 : 2) + (x < 8 ? 0 : 1)];
}

// The colours at the centres of the four quarters of a 64 by 64 context, top left, top right,
// bottom left, bottom right: blac(k), (w)hite, (h)alf grey, (r)ed, (g)reen, (b)lue, (y)ellow.
std::string quarterColours(const GlContext& gl) {
    std::string names;
    for (const auto& [x, y] : {std::pair{16, 48}, {48, 48}, {16, 16}, {48, 16}}) {
        std::string levels;  // each channel 0, 1 (half) or 2 (full)
        for (int c = 0; c < 3; ++c) {
            levels += static_cast<char>('0' + (gl.pixel(x, y)[c] + 64) / 128);
        }
        const std::string codes = "000k222w111h200r020g002b220y";
        const auto at = codes.find(levels);
        names += at == std::string::npos ? '?' : codes[at + 3];
    }
    return names;
}

class SpriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        glOrtho(-32, 32, -32, 32, -1, 1);  // board units -32..32 on both axes
        // A fresh context: forget what drawing in earlier contexts remembered.
        unitQuad = 0;
        boundTexture = -1;
        blendEnabled = false;
    }
    const char* picture(const char* name, Rgba (*colour)(int, int) = quarters) {
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
};

TEST_F(SpriteTest, ShowsItsPictureUprightPlacedTintedAndBlended) {
    const Color white, green{0, 1, 0, 1}, halfWhite{1, 1, 1, 0.5f};
    const Vec3 none, whole{64, 64, 1};
    const struct {
        const char* name;
        const char* picture;  // with a frame: the right half
        bool frame, hidden, blend;
        Color color;
        Vec3 scale, position, offset;
        float rotation;
        const char* quarters;
    } cases[] = {
        {"PNG", "q.png", false, false, true, white, whole, none, none, 0, "rgby"},
        {"JPEG", "q.jpg", false, false, true, white, whole, none, none, 0, "rgby"},
        {"right frame", "q.png", true, false, true, white, whole, none, none, 0, "ggyy"},
        {"hidden", "q.png", false, true, true, white, whole, none, none, 0, "kkkk"},
        {"flat tint", nullptr, false, false, true, green, whole, none, none, 0, "gggg"},
        {"half transparent", nullptr, false, false, true, halfWhite, whole, none, none, 0, "hhhh"},
        {"blending off", nullptr, false, false, false, halfWhite, whole, none, none, 0, "wwww"},
        // The offset turns with the sprite, and the scale leaves it alone.
        {"offset",
         nullptr,
         false,
         false,
         true,
         white,
         {16, 16, 1},
         {0, -32, 0},
         {16, 16, 0},
         90,
         "kkwk"},
    };
    for (const auto& c : cases) {
        Sprite sprite;
        said([&] { c.picture ? sprite.setTexture(picture(c.picture)) : void(); });
        sprite.texTransform = c.frame;
        sprite.texScale.u = sprite.texOffset.u = c.frame ? 0.5f : 0.0f;
        sprite.hidden = c.hidden, sprite.blend = c.blend, sprite.color = c.color;
        sprite.scale = c.scale, sprite.position = c.position, sprite.offset = c.offset;
        sprite.rotation = c.rotation;
        GLint before[2] = {}, after[3] = {};
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before[0]);
        glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &before[1]);
        EXPECT_EQ(draw(sprite), c.quarters) << c.name;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after[0]);
        glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &after[1]);
        glGetIntegerv(GL_MATRIX_MODE, &after[2]);
        EXPECT_TRUE(after[0] == before[0] && after[1] == before[1] && after[2] == GL_MODELVIEW)
            << c.name << ": matrix stacks left changed";
    }
}

TEST_F(SpriteTest, EachSpriteShowsItsOwnPictureWhateverWasDrawnOrLoadedBefore) {
    Sprite flat, quartered, blue;
    flat.scale = quartered.scale = blue.scale = {64, 64, 1};
    EXPECT_EQ(draw(flat), "wwww");
    said([&] { quartered.setTexture(picture("q.png")); });  // loaded while texturing is off
    EXPECT_EQ(draw(quartered), "rgby") << "after a sprite without picture";
    said([&] { blue.setTexture(picture("b.png", [](int, int) { return Rgba{0, 0, 255, 255}; })); });
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
