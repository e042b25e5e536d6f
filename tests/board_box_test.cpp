#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/board_box.h"
#include "app/display_state.h"
#include "modes/live_mode.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"

// The fake window system records resize requests and grants none, as a maximised window or a
// tiling window manager: the window keeps the size reshape was given.
class BoardBox : public ::testing::Test {
  protected:
    void TearDown() override { reshape(800, 600); }
    GlContext gl_{64, 64};
    FakePlatform platform_;
};

// Drawing (viewport and projection) and the pointer (toBoard) go through the same box, so a
// click at the pixel where a board point is drawn reads back as that point.
TEST_F(BoardBox, ClicksLandWhereTheBoardIsDrawnWhateverTheWindowsShape) {
    const struct {
        int width, height, left, top, boardWidth;
    } windows[] = {{1920, 1080, 240, 0, 1440},
                   {1280, 1024, 0, 32, 1280},
                   {1000, 600, 100, 0, 800},
                   {800, 600, 0, 0, 800},
                   {601, 800, 0, 175, 600}};
    for (const auto& window : windows) {
        SCOPED_TRACE(std::to_string(window.width) + "x" + std::to_string(window.height));
        reshape(window.width, window.height);
        EXPECT_EQ(boardLeft, window.left);
        EXPECT_EQ(boardTop, window.top);
        EXPECT_EQ(windowWidth, window.boardWidth);
        EXPECT_EQ(letterboxed, window.left + window.top > 0);
        float m[16];
        int viewport[4];
        glGetFloatv(GL_PROJECTION_MATRIX, m);
        glGetIntegerv(GL_VIEWPORT, viewport);
        const float unitsPerPixel = 800.0f / static_cast<float>(windowWidth);
        for (const Vec3 point : {Vec3{-399, 299, 0}, Vec3{0, 0, 0}, Vec3{399, -299, 0}}) {
            const float pixelX = viewport[0] + (m[0] * point.x + m[12] + 1.0f) * 0.5f * viewport[2];
            const float fromBottom =
                viewport[1] + (m[5] * point.y + m[13] + 1.0f) * 0.5f * viewport[3];
            const Vec3 read = LiveMode::toBoard(static_cast<int>(pixelX),
                                                static_cast<int>(window.height - fromBottom));
            EXPECT_NEAR(read.x, point.x, 1.5f * unitsPerPixel);
            EXPECT_NEAR(read.y, point.y, 1.5f * unitsPerPixel);
        }
    }
}

// The snap never asks for a window larger than the screen: on a 5:4 screen a full-height
// window is asked to become as wide as the screen and 3/4 as tall.
TEST_F(BoardBox, TheSnapAsksForTheLargestFourByThreeWindowTheScreenHolds) {
    const struct {
        int height, screenWidth, screenHeight, wantedWidth, wantedHeight;
    } cases[] = {{1024, 1280, 1024, 1280, 960},
                 {1080, 1920, 1080, 1440, 1080},
                 {2000, 1920, 1080, 1440, 1080},
                 {600, 0, 0, 800, 600}};  // a screen of unknown size limits nothing
    for (const auto& c : cases) {
        FakePlatform::screenWidth = c.screenWidth;
        FakePlatform::screenHeight = c.screenHeight;
        reshape(100, c.height);
        EXPECT_EQ(FakePlatform::reshapedWidth, c.wantedWidth);
        EXPECT_EQ(FakePlatform::reshapedHeight, c.wantedHeight);
    }
}
