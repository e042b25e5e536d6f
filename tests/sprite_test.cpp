#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/sprite.h"
#include "render/texture_cache.h"
#include "support/files.h"
#include "support/gl_context.h"
#include "support/said.h"

// What drawing remembers as a process starts (read before any test runs): each test draws as
// the first sprites of a fresh process would.
const unsigned startQuad = unitQuad;
const int startBinding = boundTexture;
const bool startBlend = blendEnabled;

// A 16 by 16 picture in four colours: red, green on top; blue, yellow below.
static Rgba quarters(int x, int y) {
    const Rgba colours[4] = {
        {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 0, 255}};
    return colours[(y < 8 ? 0 : 2) + (x < 8 ? 0 : 1)];
}

class SpriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        glOrtho(-32, 32, -32, 32, -1, 1);  // board units -32..32 on both axes
        unitQuad = startQuad, boundTexture = startBinding, blendEnabled = startBlend;
    }
    const char* picture(const char* name, Rgba (*colour)(int, int) = quarters) {
        return writePicture(folder_.file(name), 16, 16, colour);
    }
    // The colours at the centres of the quarters, top left, top right, bottom left, bottom
    // right: blac(k), (w)hite, (h)alf grey, (r)ed, (g)reen, (b)lue, (y)ellow.
    std::string draw(Sprite& sprite) {
        glClear(GL_COLOR_BUFFER_BIT);
        sprite.draw();
        std::string names;
        for (const auto& [x, y] : {std::pair{16, 48}, {48, 48}, {16, 16}, {48, 16}}) {
            int levels = 0;  // each channel 0, 1 (half) or 2 (full): red, green, blue in base 3
            for (int c = 0; c < 3; ++c) {
                levels = levels * 3 + (gl_.pixel(x, y)[c] + 64) / 128;
            }
            names += "k?b???g??????h????r?????y?w"[levels];
        }
        return names;
    }
    GlContext gl_;
    TempFolder folder_;
};

TEST_F(SpriteTest, ShowsItsPictureUprightPlacedTintedAndBlended) {
    const Color white, green{0, 1, 0, 1}, halfWhite{1, 1, 1, 0.5f};
    const Vec3 none, whole{64, 64, 1};
    // A picture (with a frame: its right half), hidden or not, blended or not: the quarters.
    // clang-format off
    const struct { const char* name; const char* picture; bool frame, hidden, blend; Color color;
                   Vec3 scale, position, offset; float rotation; const char* quarters; } cases[] = {
        {"PNG", "q.png", false, false, true, white, whole, none, none, 0, "rgby"},
        {"JPEG", "q.jpg", false, false, true, white, whole, none, none, 0, "rgby"},
        {"right frame", "q.png", true, false, true, white, whole, none, none, 0, "ggyy"},
        {"hidden", "q.png", false, true, true, white, whole, none, none, 0, "kkkk"},
        {"flat tint", nullptr, false, false, true, green, whole, none, none, 0, "gggg"},
        {"half transparent", nullptr, false, false, true, halfWhite, whole, none, none, 0, "hhhh"},
        {"blending off", nullptr, false, false, false, halfWhite, whole, none, none, 0, "wwww"},
        // The offset turns with the sprite, and the scale leaves it alone.
        {"offset", nullptr, false, false, true, white, {16, 16, 1}, {0, -32, 0}, {16, 16, 0}, 90,
         "kkwk"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Sprite sprite;
        said([&] { c.picture ? sprite.setTexture(picture(c.picture)) : void(); });
        sprite.texTransform = c.frame, sprite.texScale.u = sprite.texOffset.u = c.frame ? 0.5f : 0;
        sprite.hidden = c.hidden, sprite.blend = c.blend, sprite.color = c.color;
        sprite.scale = c.scale, sprite.position = c.position, sprite.offset = c.offset;
        sprite.rotation = c.rotation;
        EXPECT_EQ(draw(sprite), c.quarters) << c.name;
    }
    GLint depths[3];
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depths[0]);
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &depths[1]);
    glGetIntegerv(GL_MATRIX_MODE, &depths[2]);
    EXPECT_TRUE(depths[0] == 1 && depths[1] == 1 && depths[2] == GL_MODELVIEW) << "matrices left";
}

TEST_F(SpriteTest, EachSpriteShowsItsOwnPictureWhateverWasDrawnOrLoadedBefore) {
    Sprite quartered, flat, blue;
    quartered.scale = flat.scale = blue.scale = {64, 64, 1};
    said([&] { quartered.setTexture(picture("q.png")); });
    EXPECT_EQ(draw(quartered), "rgby") << "the first sprite drawn";
    EXPECT_EQ(draw(flat), "wwww");
    EXPECT_EQ(draw(quartered), "rgby") << "after a sprite without picture";
    said([&] { blue.setTexture(picture("b.png", [](int, int) { return Rgba{0, 0, 255, 255}; })); });
    EXPECT_EQ(draw(quartered), "rgby") << "after another picture was loaded";
    // Sprites with the picture already bound do not bind it again.
    glBindTexture(GL_TEXTURE_2D, blue.texture->id);
    EXPECT_EQ(draw(quartered), "bbbb");
}

TEST(SpriteWithoutContext, GetsNoQuadAndTriesAgainNextTime) {
    unitQuad = 0;
    EXPECT_EQ(Sprite().displayList, 0u);
    GlContext gl;
    EXPECT_NE(Sprite().displayList, 0u);
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
