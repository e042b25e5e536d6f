#include "app/window_identity.h"

#include <GL/glx.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <vector>

#include "render/asset_paths.h"

namespace {

char WINDOW_CLASS[] = "brindlecog";
constexpr int ICON_SIZE = 64;  // pixels; docks scale it as they need

// _NET_WM_ICON's layout: width, height, then ARGB pixels row by row from the top, each in a
// long (32-bit properties travel as longs in Xlib). Empty if the picture cannot be read.
std::vector<unsigned long> iconProperty(const char* path) {
    ilInit();
    iluInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    std::vector<unsigned long> property;
    if (ilLoadImage(path) && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE)) {
        iluImageParameter(ILU_FILTER, ILU_BILINEAR);
        iluScale(ICON_SIZE, ICON_SIZE, 1);
        const ILubyte* rgba = ilGetData();
        property = {ICON_SIZE, ICON_SIZE};
        for (int i = 0; i < ICON_SIZE * ICON_SIZE; ++i, rgba += 4) {
            property.push_back(static_cast<unsigned long>(rgba[3]) << 24 |
                               static_cast<unsigned long>(rgba[0]) << 16 |
                               static_cast<unsigned long>(rgba[1]) << 8 | rgba[2]);
        }
    }
    ilDeleteImages(1, &image);
    return property;
}

}  // namespace

void identifyWindow() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();  // GLUT draws straight into its window
    if (display == nullptr || window == 0) {
        return;
    }
    XClassHint classHint{WINDOW_CLASS, WINDOW_CLASS};
    XSetClassHint(display, window, &classHint);
    const std::vector<unsigned long> icon = iconProperty(GEAR_IMAGE);
    if (!icon.empty()) {
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<const unsigned char*>(icon.data()),
                        static_cast<int>(icon.size()));
    }
    XFlush(display);
}
