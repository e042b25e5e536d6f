#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/display_state.h"
#include "modes/live_mode.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"

namespace {

class DisplayState : public ::testing::Test {
  protected:
    void SetUp() override {
        windowWidth = 800;
        windowHeight = 600;
    }
    void TearDown() override { reshape(800, 600); }
    // Where a board point lands in window pixels (origin bottom left) under the projection.
    static void project(float x, float y, float& px, float& py) {
        float m[16];
        glGetFloatv(GL_PROJECTION_MATRIX, m);
        const float cx = m[0] * x + m[4] * y + m[12];
        const float cy = m[1] * x + m[5] * y + m[13];
        px = (cx + 1.0f) * 0.5f * static_cast<float>(windowWidth);
        py = (cy + 1.0f) * 0.5f * static_cast<float>(windowHeight);
    }
    GlContext gl_{64, 64};
    FakePlatform platform_;
};

TEST_F(DisplayState, TheHeightDecidesAndTheWindowSnapsToFourByThree) {
    reshape(1000, 600);
    EXPECT_EQ(windowWidth, 800);
    EXPECT_EQ(windowHeight, 600);
    EXPECT_EQ(FakePlatform::reshapedWidth, 800);
    EXPECT_EQ(FakePlatform::reshapedHeight, 600);
    reshape(10, 601);
    EXPECT_EQ(FakePlatform::reshapedWidth, 801);  // 601 * 4 / 3 = 801.33, truncated
    reshape(400, 300);
    EXPECT_EQ(windowWidth, 400);
}

TEST_F(DisplayState, BadSizesAreReportedAndChangeNothing) {
    reshape(800, 600);
    FakePlatform::reshapedWidth = 0;
    testing::internal::CaptureStdout();
    reshape(0, 600);
    reshape(640, -3);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "reshape() values bad w:0 h:600\nreshape() values bad w:640 h:-3\n");
    EXPECT_EQ(windowWidth, 800);
    EXPECT_EQ(windowHeight, 600);
    EXPECT_EQ(FakePlatform::reshapedWidth, 0);
}

TEST_F(DisplayState, TheWholeBoardFitsTheWindowAtAnySize) {
    for (int height : {600, 300, 768}) {
        reshape(height * 4 / 3, height);
        float px, py;
        project(0.0f, 0.0f, px, py);
        EXPECT_NEAR(px, windowWidth * 0.5f + 0.375f, 1e-2f);
        EXPECT_NEAR(py, windowHeight * 0.5f + 0.375f, 1e-2f);
        project(-400.0f, -300.0f, px, py);
        EXPECT_NEAR(px, 0.375f, 1e-2f);
        EXPECT_NEAR(py, 0.375f, 1e-2f);
        project(400.0f, 300.0f, px, py);
        EXPECT_NEAR(px, windowWidth + 0.375f, 1e-2f);
        EXPECT_NEAR(py, windowHeight + 0.375f, 1e-2f);
    }
}

TEST_F(DisplayState, WindowPixelsMapToBoardUnits) {
    reshape(800, 600);
    const Vec3 centre = LiveMode::toBoard(400, 300);
    EXPECT_EQ(centre.x, 0.0f);
    EXPECT_EQ(centre.y, 0.0f);
    const Vec3 corner = LiveMode::toBoard(0, 0);
    EXPECT_EQ(corner.x, -400.0f);
    EXPECT_EQ(corner.y, 300.0f);
    reshape(400, 300);  // half a pixel per unit: the same board
    const Vec3 half = LiveMode::toBoard(200, 150);
    EXPECT_EQ(half.x, 0.0f);
    EXPECT_EQ(half.y, 0.0f);
    const Vec3 bottomRight = LiveMode::toBoard(400, 300);
    EXPECT_EQ(bottomRight.x, 400.0f);
    EXPECT_EQ(bottomRight.y, -300.0f);
}

TEST_F(DisplayState, StartsWithoutCullingDepthTestOrSwapControl) {
    setCulling(true);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    setCulling(false);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    setDepthTest(true, true);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    setDepthTest(false, false);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    initSwapControl();  // an off-screen context has no GLX display
    EXPECT_FALSE(swapControlAvailable);
    setVSync(true);  // and asking for sync is then harmless
}

}  // namespace
