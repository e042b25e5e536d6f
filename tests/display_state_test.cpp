#include <gtest/gtest.h>

// After GoogleTest: X11's macros (None, Bool) clash with its names.
#include <GL/gl.h>
#include <GL/glx.h>
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/board_box.h"
#include "app/display_state.h"
#include "app/shell.h"
#include "modes/live_mode.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"

// This binary draws off-screen and never has a GLX context. These stand in for GLX so that a
// test can offer a display with swap-control extensions and hear which interval is asked for.
namespace {
const char* offeredExtensions = nullptr;  // null: no GLX display, as off-screen
std::string swapIntervals;                // "<extension> <interval>" per call
char display[4096] = {};                  // DefaultScreen() reads screen 0 from it
}  // namespace

extern "C" {
Display* glXGetCurrentDisplay() {
    return offeredExtensions == nullptr ? nullptr : reinterpret_cast<Display*>(display);
}
GLXDrawable glXGetCurrentDrawable() {
    return 1;
}
const char* glXQueryExtensionsString(Display*, int) {
    return offeredExtensions;
}
void swapIntervalExt(Display*, GLXDrawable, int n) {
    swapIntervals += "EXT " + std::to_string(n);
}
int swapIntervalMesa(unsigned n) {
    return swapIntervals += "MESA " + std::to_string(n), 0;
}
int swapIntervalSgi(int n) {
    return swapIntervals += "SGI " + std::to_string(n), 0;
}
__GLXextFuncPtr glXGetProcAddressARB(const GLubyte* name) {
    const std::string function = reinterpret_cast<const char*>(name);
    static auto real = reinterpret_cast<__GLXextFuncPtr (*)(const GLubyte*)>(
        dlsym(RTLD_NEXT, "glXGetProcAddressARB"));
    return function == "glXSwapIntervalEXT"    ? reinterpret_cast<__GLXextFuncPtr>(swapIntervalExt)
           : function == "glXSwapIntervalMESA" ? reinterpret_cast<__GLXextFuncPtr>(swapIntervalMesa)
           : function == "glXSwapIntervalSGI"  ? reinterpret_cast<__GLXextFuncPtr>(swapIntervalSgi)
                                               : real(name);
}
}  // extern "C"

namespace {

class DisplayState : public ::testing::Test {
  protected:
    // Where a board point lands in window pixels (origin bottom left) under the projection.
    static Vec3 project(float x, float y) {
        float m[16];
        glGetFloatv(GL_PROJECTION_MATRIX, m);
        return {(m[0] * x + m[4] * y + m[12] + 1.0f) * 0.5f * windowWidth,
                (m[1] * x + m[5] * y + m[13] + 1.0f) * 0.5f * windowHeight, 0.0f};
    }
    void TearDown() override { reshape(800, 600); }
    GlContext gl_{64, 64};
    FakePlatform platform_;
};

}  // namespace

TEST_F(DisplayState, TheHeightDecidesTheWindowIsFourByThreeAndShowsTheWholeBoard) {
    const struct {
        int width, height, keptWidth, keptHeight;
        const char* message;
    } cases[] = {
        {1000, 600, 800, 600, ""},
        {1000, 601, 801, 601, ""},  // 801.33, truncated
        {400, 300, 400, 300, ""},
        {0, 600, 800, 600, "reshape() values bad w:0 h:600\n"},
        {640, -3, 800, 600, "reshape() values bad w:640 h:-3\n"},
    };
    for (const auto& c : cases) {
        const std::string name = std::to_string(c.width) + " by " + std::to_string(c.height);
        reshape(800, 600);
        FakePlatform::reshapedWidth = FakePlatform::reshapedHeight = 0;
        testing::internal::CaptureStdout();
        reshape(c.width, c.height);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.message) << name;
        EXPECT_EQ(windowWidth, c.keptWidth) << name;
        EXPECT_EQ(windowHeight, c.keptHeight) << name;
        const bool changed = c.message[0] == '\0';
        EXPECT_EQ(FakePlatform::reshapedWidth, changed ? c.keptWidth : 0) << name;
        EXPECT_EQ(FakePlatform::reshapedHeight, changed ? c.keptHeight : 0) << name;
        const struct {
            Vec3 board, window;
        } corners[] = {{{-400, -300, 0}, {0, 0, 0}},
                       {{0, 0, 0}, {windowWidth * 0.5f, windowHeight * 0.5f, 0}},
                       {{400, 300, 0}, {float(windowWidth), float(windowHeight), 0}}};
        for (const auto& corner : corners) {
            const Vec3 at = project(corner.board.x, corner.board.y);
            EXPECT_NEAR(at.x, corner.window.x + 0.375f, 1e-2f) << name;
            EXPECT_NEAR(at.y, corner.window.y + 0.375f, 1e-2f) << name;
            // The pointer's window pixels, y down, map back to the board within a pixel.
            const Vec3 pointer =
                LiveMode::toBoard(boardLeft + static_cast<int>(corner.window.x),
                                  boardTop + windowHeight - static_cast<int>(corner.window.y));
            EXPECT_NEAR(pointer.x, corner.board.x, 800.0f / windowWidth) << name;
            EXPECT_NEAR(pointer.y, corner.board.y, 800.0f / windowWidth) << name;
        }
    }
}

TEST_F(DisplayState, StartUpClearsToGreyDrawsFlatAndAsksForOneFramePerRefresh) {
    const struct {
        const char* extensions;
        const char* intervals;
    } cases[] = {
        {nullptr, ""},
        {"GLX_ARB_create_context", ""},
        {"GLX_EXT_swap_control", "EXT 1"},
        {"GLX_MESA_swap_control", "MESA 1"},
        {"GLX_SGI_swap_control", "SGI 1"},
        {"GLX_EXT_swap_control_tear GLX_SGI_swap_control", "SGI 1"},
    };
    for (const auto& c : cases) {
        const std::string name = c.extensions == nullptr ? "no display" : c.extensions;
        setCulling(true);
        setDepthTest(true, true);
        ASSERT_TRUE(glIsEnabled(GL_CULL_FACE) && glIsEnabled(GL_DEPTH_TEST));
        offeredExtensions = c.extensions;
        swapIntervals.clear();
        swapControlAvailable = false;
        initDisplayState();
        offeredExtensions = nullptr;
        EXPECT_EQ(swapIntervals, c.intervals) << name;
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE)) << name;
        EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST)) << name;
        const unsigned char* p = gl_.pixel(10, 10);
        EXPECT_TRUE(std::abs(p[0] - 128) + std::abs(p[1] - 128) + std::abs(p[2] - 128) < 4)
            << name << ": not cleared to grey";
    }
}
