#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "app/display_state.h"
#include "app/graphics_restore.h"
#include "app/shell.h"
#include "render/sprite.h"
#include "support/fake_platform.h"
#include "support/files.h"
#include "support/gl_context.h"
#include "support/said.h"

namespace {

using Rgb = std::array<unsigned char, 3>;
constexpr Rgb BRICK = {200, 40, 40};

// A browser that lost its GL context hands back an empty one: no textures, no display lists,
// default state. A second off-screen context in the first one's place is exactly that.
TEST(GraphicsRestore, APictureShowsAgainInTheContextThatReplacesALostOne) {
    FakePlatform platform;
    TempFolder folder;
    const auto brick = [](int, int) { return Rgba{BRICK[0], BRICK[1], BRICK[2], 255}; };
    const char* path = writePicture(folder.file("brick.png"), 4, 4, brick);

    auto gl = std::make_unique<GlContext>(80, 60);
    const unsigned processQuad = unitQuad;
    unitQuad = 0;  // the quad of this context, not of an earlier test's
    Sprite::forgetDrawingState();
    Sprite board;
    board.scale = {800.0f, 600.0f, 1.0f};
    said([&] { board.setTexture(path); });
    initDisplayState();
    reshape(80, 60);
    const auto centre = [&] {
        glClear(GL_COLOR_BUFFER_BIT);
        board.draw();
        const unsigned char* pixel = gl->pixel(40, 30);
        return Rgb{pixel[0], pixel[1], pixel[2]};
    };
    ASSERT_EQ(centre(), BRICK);

    gl = std::make_unique<GlContext>(80, 60);
    EXPECT_NE(centre(), BRICK) << "the new context draws the picture without being restored";
    const int redisplays = FakePlatform::redisplays;
    EXPECT_EQ(said([] { restoreGraphics(80, 60); }), std::string("Loaded texture ") + path + "\n");
    EXPECT_EQ(centre(), BRICK);
    EXPECT_GT(FakePlatform::redisplays, redisplays) << "the frames must go on";
    unitQuad = processQuad;
}

}  // namespace
