#include <windows.h>

#include <GL/gl.h>

#include "app/swap_control.h"

namespace {

using SwapIntervalExt = BOOL(WINAPI*)(int interval);
using ExtensionsString = const char*(WINAPI*)();
SwapIntervalExt swapIntervalExt = nullptr;

// wglGetProcAddress returns a generic pointer; going through void (*)() keeps the cast to the
// real signature free of a function-type warning.
template <typename Function>
Function lookUp(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

}  // namespace

void initSwapControl() {
    // Drivers name the extension in GL's own list or only in WGL's, which has its own query.
    const auto* glExtensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    bool listed = glExtensions != nullptr && hasExtension(glExtensions, "WGL_EXT_swap_control");
    if (!listed) {
        const auto wglExtensions = lookUp<ExtensionsString>("wglGetExtensionsStringEXT");
        listed = wglExtensions != nullptr && wglExtensions() != nullptr &&
                 hasExtension(wglExtensions(), "WGL_EXT_swap_control");
    }
    if (!listed) {
        return;  // frames are not synchronised
    }
    swapIntervalExt = lookUp<SwapIntervalExt>("wglSwapIntervalEXT");
    swapControlAvailable = swapIntervalExt != nullptr;
}

void setVSync(bool on) {
    if (!swapControlAvailable) {
        return;
    }
    swapIntervalExt(on ? 1 : 0);
}
