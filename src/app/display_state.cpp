#include "app/display_state.h"

#include <GL/gl.h>
#include <GL/glx.h>

#include <cstring>
#include <iostream>

#include "app/board_box.h"
#include "app/platform.h"

int windowWidth = BOARD_WIDTH;
int windowHeight = BOARD_HEIGHT;
bool swapControlAvailable = false;

namespace {

// GLX offers vertical sync through one of three extensions, each with its own entry point.
enum class SwapExtension { Unavailable, Ext, Mesa, Sgi };
SwapExtension swapExtension = SwapExtension::Unavailable;
using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesa = int (*)(unsigned);
using SwapIntervalSgi = int (*)(int);
void (*swapIntervalFunction)() = nullptr;

bool hasExtension(const char* extensions, const char* name) {
    const std::size_t length = std::strlen(name);
    for (const char* found = std::strstr(extensions, name); found != nullptr;
         found = std::strstr(found + 1, name)) {
        const bool startsWord = found == extensions || found[-1] == ' ';
        const bool endsWord = found[length] == ' ' || found[length] == '\0';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

void (*lookUp(const char* name))() {
    return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
}

}  // namespace

void reshape(int width, int height) {
    if (width <= 0 || height <= 0) {
        std::cout << "reshape() values bad w:" << width << " h:" << height << std::endl;
        return;
    }
    // The height decides: the window snaps to 4:3 whatever width the user dragged it to. Until
    // the window manager grants that, or if it refuses, the board fills the 4:3 box in the middle.
    const PixelBox box = fitBoard(width, height);
    windowWidth = box.width;
    windowHeight = box.height;
    boardLeft = box.left;
    boardTop = box.top;
    letterboxed = box.width != width || box.height != height;
    int screenWidth = 0;
    int screenHeight = 0;
    platform::current().screenSize(&screenWidth, &screenHeight);
    const PixelBox wanted = snappedWindow(height, screenWidth, screenHeight);
    platform::current().reshapeWindow(wanted.width, wanted.height);
    // GL counts rows from the bottom.
    const int boardBottom = height - box.top - box.height;
    glViewport(box.left, boardBottom, box.width, box.height);
    glScissor(box.left, boardBottom, box.width, box.height);
    if (letterboxed) {
        glEnable(GL_SCISSOR_TEST);
    } else {
        glDisable(GL_SCISSOR_TEST);
    }

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, windowWidth, 0, windowHeight, 0, 100);
    // Board origin at the window centre, board z = 0 at eye depth 1 (inside near and far).
    glTranslatef(windowWidth * 0.5f, windowHeight * 0.5f, -1.0f);
    // A shift of 0.375 pixels for exact pixel rasterisation.
    glTranslatef(0.375f, 0.375f, 0.0f);
    // One board unit is windowWidth / 800 pixels: the board spans -400..400 by -300..300.
    glScalef(static_cast<float>(windowWidth / 800.0), static_cast<float>(windowHeight / 600.0),
             1.0f);
    glMatrixMode(GL_MODELVIEW);
}

void initSwapControl() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return;  // no GLX context (off-screen drawing): frames are not synchronised
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (extensions == nullptr) {
        return;
    }
    const struct {
        const char* extension;
        const char* function;
        SwapExtension kind;
    } candidates[] = {
        {"GLX_EXT_swap_control", "glXSwapIntervalEXT", SwapExtension::Ext},
        {"GLX_MESA_swap_control", "glXSwapIntervalMESA", SwapExtension::Mesa},
        {"GLX_SGI_swap_control", "glXSwapIntervalSGI", SwapExtension::Sgi},
    };
    for (const auto& candidate : candidates) {
        if (hasExtension(extensions, candidate.extension)) {
            swapIntervalFunction = lookUp(candidate.function);
            if (swapIntervalFunction != nullptr) {
                swapExtension = candidate.kind;
                swapControlAvailable = true;
                return;
            }
        }
    }
}

void setVSync(bool on) {
    if (!swapControlAvailable) {
        return;
    }
    const int interval = on ? 1 : 0;
    switch (swapExtension) {
        case SwapExtension::Ext: {
            Display* display = glXGetCurrentDisplay();
            const GLXDrawable drawable = glXGetCurrentDrawable();
            if (display != nullptr && drawable != 0) {
                reinterpret_cast<SwapIntervalExt>(swapIntervalFunction)(display, drawable,
                                                                        interval);
            }
            break;
        }
        case SwapExtension::Mesa:
            reinterpret_cast<SwapIntervalMesa>(swapIntervalFunction)(interval);
            break;
        case SwapExtension::Sgi:
            // SGI's control cannot switch synchronisation off: an interval of 0 is an error.
            if (on) {
                reinterpret_cast<SwapIntervalSgi>(swapIntervalFunction)(interval);
            }
            break;
        case SwapExtension::Unavailable:
            break;
    }
}

void setCulling(bool on) {
    if (!on) {
        glDisable(GL_CULL_FACE);
        return;
    }
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
}

void setDepthTest(bool depth, bool alphaTest) {
    if (!depth) {
        glDisable(GL_DEPTH_TEST);
        return;
    }
    glEnable(GL_DEPTH_TEST);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    if (alphaTest) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.001f);
    }
}
