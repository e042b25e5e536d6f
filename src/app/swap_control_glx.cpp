#include <GL/gl.h>
#include <GL/glx.h>

#include "app/swap_control.h"

namespace {

// GLX offers vertical sync through one of three extensions, each with its own entry point.
enum class SwapExtension { Unavailable, Ext, Mesa, Sgi };
SwapExtension swapExtension = SwapExtension::Unavailable;
using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesa = int (*)(unsigned);
using SwapIntervalSgi = int (*)(int);
void (*swapIntervalFunction)() = nullptr;

void (*lookUp(const char* name))() {
    return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
}

}  // namespace

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
