#include "app/window_identity.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <vector>

namespace {

char WINDOW_CLASS[] = "brindlecog";
constexpr int ICON_SIZE = 64;  // pixels; docks scale it as they need

}  // namespace

void identifyWindow() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();  // GLUT draws straight into its window
    if (display == nullptr || window == 0) {
        return;
    }
    XClassHint classHint{WINDOW_CLASS, WINDOW_CLASS};
    XSetClassHint(display, window, &classHint);
    // _NET_WM_ICON's layout: width, height, then ARGB pixels row by row from the top, each in
    // a long (32-bit properties travel as longs in Xlib).
    const std::vector<unsigned char> rgba = windowIconRgba(ICON_SIZE);
    if (!rgba.empty()) {
        std::vector<unsigned long> icon = {ICON_SIZE, ICON_SIZE};
        for (std::size_t i = 0; i < rgba.size(); i += 4) {
            icon.push_back(static_cast<unsigned long>(rgba[i + 3]) << 24 |
                           static_cast<unsigned long>(rgba[i]) << 16 |
                           static_cast<unsigned long>(rgba[i + 1]) << 8 | rgba[i + 2]);
        }
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<const unsigned char*>(icon.data()),
                        static_cast<int>(icon.size()));
    }
    XFlush(display);
}
