#include <gtest/gtest.h>

// After GoogleTest: X11's macros (None, Bool) clash with its names.
#include <GL/gl.h>
#include <GL/glx.h>
#include <dlfcn.h>

#include <string>
#include <vector>

#include "app/display_state.h"
#include "app/shell.h"
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

// The pointer's side of the board box is checked in board_box_test.cpp.
TEST_F(DisplayState, TheHeightDecidesTheWindowIsFourByThreeAndShowsTheWholeBoard) {
    // A window's new size: the board's size kept, and what is said.
    // clang-format off
    const struct { int width, height, keptWidth, keptHeight; const char* message; } cases[] = {
        {1000, 600, 800, 600, ""}, {1000, 601, 801, 601, ""},  // 801.33, truncated
        {400, 300, 400, 300, ""}, {0, 600, 800, 600, "reshape() values bad w:0 h:600\n"},
        {640, -3, 800, 600, "reshape() values bad w:640 h:-3\n"},
    };
    // clang-format on
    using F = FakePlatform;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " by " + std::to_string(c.height));
        reshape(800, 600);
        F::reshapedWidth = F::reshapedHeight = 0;
        EXPECT_EQ(said([&] { reshape(c.width, c.height); }), c.message);
        const int a = c.message[0] == '\0';  // a bad size asks for no other window
        EXPECT_EQ((std::vector{windowWidth, windowHeight, F::reshapedWidth, F::reshapedHeight}),
                  (std::vector{c.keptWidth, c.keptHeight, a * c.keptWidth, a * c.keptHeight}));
        // The board's corners land on the window's corner pixels, shifted 0.375 pixels for
        // exact rasterisation.
        float m[16];
        glGetFloatv(GL_PROJECTION_MATRIX, m);
        for (const float side : {-1.0f, 1.0f}) {
            const float x = 400 * side, y = 300 * side, k = (side + 1) / 2;
            EXPECT_NEAR((m[0] * x + m[12] + 1) * windowWidth / 2, k * windowWidth + 0.375f, 0.01f);
            EXPECT_NEAR((m[5] * y + m[13] + 1) * windowHeight / 2, k * windowHeight + 0.375f,
                        0.01f);
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
