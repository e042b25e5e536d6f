#include <GL/gl.h>
#include <gtest/gtest.h>

#include <list>
#include <string>

#include "render/sprite.h"
#include "render/texture_cache.h"
#include "support/gl_calls.h"
#include "support/gl_context.h"
#include "support/pictures.h"

namespace {

constexpr int SIZE = 64;

// Draws in a 64 by 64 context whose projection shows board units -32..32 on both axes.
class SpriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-32, 32, -32, 32, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        // A fresh context: forget what earlier contexts' drawing remembered.
        unitQuad = 0;
        boundTexture = -1;
        blendEnabled = false;
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
    }

    // A picture whose top half is red and bottom half blue, as a persistent path constant.
    const char* twoTonePicture(const char* name) {
        static std::list<std::string> paths;  // stable addresses: the cache keys by them
        paths.push_back(folder_.file(name));
        writePicture(paths.back(), 8, 8, [](int, int y) {
            return y < 4 ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255};
        });
        return paths.back().c_str();
    }

    bool isRed(const unsigned char* p) { return p[0] > 200 && p[1] < 50 && p[2] < 50; }
    bool isBlue(const unsigned char* p) { return p[2] > 200 && p[0] < 50 && p[1] < 50; }

    GlContext gl_{SIZE, SIZE};
    TempFolder folder_;
};

TEST_F(SpriteTest, PicturesAppearUpright) {
    for (const char* name : {"upright.png", "upright.jpg"}) {
        Sprite sprite;
        sprite.scale = {64.0f, 64.0f, 1.0f};
        testing::internal::CaptureStdout();
        sprite.setTexture(twoTonePicture(name));
        testing::internal::GetCapturedStdout();
        ASSERT_NE(sprite.texture->id, Texture::NO_TEXTURE) << name;
        sprite.draw();
        EXPECT_TRUE(isRed(gl_.pixel(32, SIZE - 8))) << name << ": top should be red";
        EXPECT_TRUE(isBlue(gl_.pixel(32, 8))) << name << ": bottom should be blue";
    }
}

TEST_F(SpriteTest, HiddenSpriteMakesNoGlCall) {
    Sprite sprite;
    sprite.hidden = true;
    const GlCalls before = glCalls;
    sprite.draw();
    EXPECT_EQ(glCalls.total(), before.total());
    EXPECT_EQ(boundTexture, -1);
    EXPECT_FALSE(blendEnabled);
}

TEST_F(SpriteTest, ConsecutiveSpritesWithOnePictureBindItOnce) {
    testing::internal::CaptureStdout();
    const char* path = twoTonePicture("shared.png");
    Sprite first, second;
    first.setTexture(path);
    second.setTexture(path);
    testing::internal::GetCapturedStdout();
    const GlCalls before = glCalls;
    first.draw();
    second.draw();
    EXPECT_EQ(glCalls.bindTexture - before.bindTexture, 1);
    EXPECT_EQ(glCalls.blendFunc - before.blendFunc, 1);  // blending set once, too
    EXPECT_EQ(glCalls.callList - before.callList, 2);
}

TEST_F(SpriteTest, LoadingAPictureNeverLetsTheNextSpriteShowTheWrongOne) {
    testing::internal::CaptureStdout();
    Sprite old;
    old.scale = {64.0f, 64.0f, 1.0f};
    old.setTexture(twoTonePicture("old.png"));
    old.draw();  // bound and remembered
    const char* otherPath = twoTonePicture("other.png");
    Sprite loader;
    loader.setTexture(otherPath);  // this load binds its own texture behind sprite drawing
    testing::internal::GetCapturedStdout();
    const GlCalls before = glCalls;
    old.draw();
    EXPECT_EQ(glCalls.bindTexture - before.bindTexture, 1);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned>(bound), old.texture->id);
}

TEST_F(SpriteTest, UntexturedSpriteIsAFlatQuadAndTheNextTexturedOneRebinds) {
    Sprite flat;
    flat.scale = {64.0f, 64.0f, 1.0f};
    flat.color = {0.0f, 1.0f, 0.0f, 1.0f};
    flat.draw();
    const unsigned char* p = gl_.pixel(32, 32);
    EXPECT_GT(p[1], 200);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    testing::internal::CaptureStdout();
    Sprite textured;
    textured.scale = {64.0f, 64.0f, 1.0f};
    textured.setTexture(twoTonePicture("after-flat.png"));
    testing::internal::GetCapturedStdout();
    textured.draw();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(isRed(gl_.pixel(32, SIZE - 8)));
}

TEST_F(SpriteTest, OffsetTurnsWithTheSpriteAndScaleDoesNotAffectIt) {
    Sprite sprite;
    sprite.scale = {8.0f, 8.0f, 1.0f};
    sprite.rotation = 90.0f;
    sprite.offset = {16.0f, 0.0f, 0.0f};
    sprite.blend = false;
    sprite.draw();
    // Board (0, 16) is pixel (32, 48); the unrotated place (16, 0) is pixel (48, 32).
    EXPECT_GT(gl_.pixel(32, 48)[0], 200);
    EXPECT_LT(gl_.pixel(48, 32)[0], 50);
}

TEST_F(SpriteTest, TextureTransformShowsOneFrameAndRestoresTheStacks) {
    testing::internal::CaptureStdout();
    static std::string stripPath = folder_.file("strip.png");
    writePicture(stripPath, 8, 8, [](int x, int) {
        return x < 4 ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255};
    });
    Sprite sprite;
    sprite.scale = {64.0f, 64.0f, 1.0f};
    sprite.setTexture(stripPath.c_str());
    testing::internal::GetCapturedStdout();
    sprite.texTransform = true;
    sprite.texScale.u = 0.5f;
    sprite.texOffset.u = 0.5f;  // the right frame
    GLint depthBefore = 0, modelviewBefore = 0;
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &depthBefore);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelviewBefore);
    sprite.draw();
    EXPECT_TRUE(isBlue(gl_.pixel(8, 32)));
    EXPECT_TRUE(isBlue(gl_.pixel(56, 32)));
    GLint depthAfter = 0, modelviewAfter = 0, mode = 0;
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &depthAfter);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelviewAfter);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(depthAfter, depthBefore);
    EXPECT_EQ(modelviewAfter, modelviewBefore);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(SpriteTest, ANegativeScaleMirrorsThePicture) {
    testing::internal::CaptureStdout();
    Sprite sprite;
    sprite.scale = {64.0f, -64.0f, 1.0f};
    sprite.setTexture(twoTonePicture("mirror.png"));
    testing::internal::GetCapturedStdout();
    sprite.draw();  // drawn from its back: visible, since culling is off
    EXPECT_TRUE(isBlue(gl_.pixel(32, SIZE - 8)));
    EXPECT_TRUE(isRed(gl_.pixel(32, 8)));
}

TEST(SpriteWithoutContext, GetsNoQuadAndTriesAgainNextTime) {
    unitQuad = 0;
    Sprite early;
    EXPECT_EQ(early.displayList, 0u);
    EXPECT_EQ(unitQuad, 0u);
    GlContext gl;
    Sprite later;
    EXPECT_NE(later.displayList, 0u);
    EXPECT_EQ(later.displayList, unitQuad);
}

TEST(SpriteCopies, ShareTheTextureWithoutTakingAReference) {
    Texture texture;
    texture.refCount = 1;
    {
        Sprite original;
        original.texture = &texture;
        Sprite copy = original;
        EXPECT_EQ(copy.texture, &texture);
        EXPECT_EQ(texture.refCount, 1);
    }
    EXPECT_EQ(texture.refCount, 0);  // two releases, but counts stop at 0
}

}  // namespace
