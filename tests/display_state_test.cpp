#include <gtest/gtest.h>

// After GoogleTest: X11's macros (None, Bool) clash with its names.
#include <GL/gl.h>
#include <GL/glx.h>
#include <dlfcn.h>

#include <string>
#include <vector>

#include "app/board_box.h"
#include "app/display_state.h"
#include "app/shell.h"
#include "modes/live_mode.h"
#include "support/fake_platform.h"
#include "support/gl_context.h"
#include "support/said.h"

// This binary draws off-screen and never has a GLX context. The functions below stand in for
// GLX so that a test can offer a display with swap-control extensions and hear which interval
// is asked for.
struct Glx {
    static inline const char* offeredExtensions = nullptr;  // null: no GLX display, as off-screen
    static inline std::string swapIntervals;                // "<extension> <interval>" per call
    static inline char display[4096] = {};  // DefaultScreen() reads screen 0 from it
    static void ext(Display*, GLXDrawable, int n) { swapIntervals += "EXT " + std::to_string(n); }
    static int mesa(unsigned n) { return swapIntervals += "MESA " + std::to_string(n), 0; }
    static int sgi(int n) { return swapIntervals += "SGI " + std::to_string(n), 0; }
};

extern "C" {
Display* glXGetCurrentDisplay() {
    return Glx::offeredExtensions ? reinterpret_cast<Display*>(Glx::display) : nullptr;
}
GLXDrawable glXGetCurrentDrawable() {
    return 1;
}
const char* glXQueryExtensionsString(Display*, int) {
    return Glx::offeredExtensions;
}
__GLXextFuncPtr glXGetProcAddressARB(const GLubyte* name) {
    const std::string function = reinterpret_cast<const char*>(name);
    static auto real = reinterpret_cast<__GLXextFuncPtr (*)(const GLubyte*)>(
        dlsym(RTLD_NEXT, "glXGetProcAddressARB"));
    return function == "glXSwapIntervalEXT"    ? reinterpret_cast<__GLXextFuncPtr>(Glx::ext)
           : function == "glXSwapIntervalMESA" ? reinterpret_cast<__GLXextFuncPtr>(Glx::mesa)
           : function == "glXSwapIntervalSGI"  ? reinterpret_cast<__GLXextFuncPtr>(Glx::sgi)
                                               : real(name);
}
}  // extern "C"

class DisplayState : public ::testing::Test {
  protected:
    void TearDown() override { reshape(800, 600); }
    GlContext gl_;
    FakePlatform platform_;
};

// The height decides: the window is asked to become 4:3, no larger than the screen, and
// until it is (a maximised window, a tiling window manager) the board fills the largest 4:3 box
// in its middle. Drawing (viewport and projection) and the pointer (toBoard) go through that box.
TEST_F(DisplayState, TheWindowIsAskedToBeFourByThreeAndClicksLandWhereTheBoardIsDrawn) {
    // A window's new size and the screen's (0: unknown, no limit); the board's box then, the
    // window asked for, and what is said.
    // clang-format off
    const struct { int width, height, screenWidth, screenHeight, boardWidth, boardHeight, left, top,
                   askedWidth, askedHeight; const char* message; } cases[] = {
        {800, 600, 0, 0, 800, 600, 0, 0, 800, 600, ""},
        {1000, 600, 0, 0, 800, 600, 100, 0, 800, 600, ""},
        {1000, 601, 0, 0, 801, 601, 99, 0, 801, 601, ""},  // 801.33, truncated
        {400, 300, 0, 0, 400, 300, 0, 0, 400, 300, ""},
        {601, 800, 0, 0, 600, 450, 0, 175, 1066, 800, ""},
        {1920, 1080, 1920, 1080, 1440, 1080, 240, 0, 1440, 1080, ""},
        {1280, 1024, 1280, 1024, 1280, 960, 0, 32, 1280, 960, ""},  // 5:4: as wide as the screen
        {100, 2000, 1920, 1080, 100, 75, 0, 962, 1440, 1080, ""},
        {0, 600, 0, 0, 800, 600, 0, 0, 0, 0, "reshape() values bad w:0 h:600\n"},
        {640, -3, 0, 0, 800, 600, 0, 0, 0, 0, "reshape() values bad w:640 h:-3\n"},
    };
    // clang-format on
    using F = FakePlatform;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " by " + std::to_string(c.height));
        reshape(800, 600);
        F::reshapedWidth = F::reshapedHeight = 0;
        F::screenWidth = c.screenWidth, F::screenHeight = c.screenHeight;
        EXPECT_EQ(said([&] { reshape(c.width, c.height); }), c.message);
        EXPECT_EQ(
            (std::vector{windowWidth, windowHeight, boardLeft, boardTop, F::reshapedWidth,
                         F::reshapedHeight}),
            (std::vector{c.boardWidth, c.boardHeight, c.left, c.top, c.askedWidth, c.askedHeight}));
        EXPECT_EQ(letterboxed, c.left + c.top > 0);
        // The board spans the box, shifted 0.375 pixels for exact rasterisation, and a click at
        // the pixel where a board point is drawn reads back as that point.
        float m[16];
        int viewport[4];
        glGetFloatv(GL_PROJECTION_MATRIX, m);
        glGetIntegerv(GL_VIEWPORT, viewport);
        const int height = c.message[0] == '\0' ? c.height : 600;  // a bad size is ignored
        const int bottom = height - c.top - c.boardHeight;
        for (const Vec3 point : {Vec3{-400, -300, 0}, Vec3{0, 0, 0}, Vec3{399, 299, 0}}) {
            const float x = viewport[0] + (m[0] * point.x + m[12] + 1.0f) * 0.5f * viewport[2];
            const float fromBottom =
                viewport[1] + (m[5] * point.y + m[13] + 1.0f) * 0.5f * viewport[3];
            EXPECT_NEAR(x, c.left + (point.x + 400) * c.boardWidth / 800 + 0.375f, 0.01f);
            EXPECT_NEAR(fromBottom, bottom + (point.y + 300) * c.boardHeight / 600 + 0.375f, 0.01f);
            const Vec3 read =
                LiveMode::toBoard(static_cast<int>(x), static_cast<int>(height - fromBottom));
            const float unitsPerPixel = 800.0f / static_cast<float>(c.boardWidth);
            EXPECT_NEAR(read.x, point.x, 1.5f * unitsPerPixel);
            EXPECT_NEAR(read.y, point.y, 1.5f * unitsPerPixel);
        }
    }
}

TEST_F(DisplayState, StartUpClearsToGreyDrawsFlatAndAsksForOneFramePerRefresh) {
    // clang-format off
    const struct { const char *extensions, *intervals; } cases[] = {
        {nullptr, ""}, {"GLX_ARB_create_context", ""}, {"GLX_EXT_swap_control", "EXT 1"},
        {"GLX_MESA_swap_control", "MESA 1"}, {"GLX_SGI_swap_control", "SGI 1"},
        {"GLX_EXT_swap_control_tear GLX_SGI_swap_control", "SGI 1"},
    };
    // clang-format on
    setCulling(true);
    setDepthTest(true, true);
    for (const auto& c : cases) {
        Glx::offeredExtensions = c.extensions;
        Glx::swapIntervals.clear();
        swapControlAvailable = false;
        initDisplayState();
        Glx::offeredExtensions = nullptr;
        EXPECT_EQ(Glx::swapIntervals, c.intervals) << (c.extensions ? c.extensions : "no display");
    }
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE) || glIsEnabled(GL_DEPTH_TEST));
    const unsigned char* p = gl_.pixel(10, 10);
    EXPECT_TRUE(p[0] == 128 && p[1] == 128 && p[2] == 128) << "not cleared to grey";
}
