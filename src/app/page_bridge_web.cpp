// What the page's own script (tools/web/page.js) calls in the game: the touches on the canvas,
// and a new GL context after the browser took the old one away. Exported by name (the web
// build lists them), so that they are linked although nothing in the game calls them.
#include <emscripten.h>

#include "app/graphics_restore.h"
#include "app/late_files.h"
#include "app/shell.h"
#include "app/touch_pointer.h"

namespace {

// The slop until the page says otherwise: 10 pixels at a pixel ratio of 1.
TouchPointer& finger() {
    static TouchPointer pointer({onPassiveMotion, onMotion, mouseOnceFilesArrive}, 10.0);
    return pointer;
}

// The kinds of touch event, as page.js numbers them.
enum TouchKind { TOUCH_START = 0, TOUCH_MOVE = 1, TOUCH_END = 2, TOUCH_CANCEL = 3 };

}  // namespace

extern "C" {

// x and y in canvas pixels (what the mouse callbacks take), ms on the page's clock.
EMSCRIPTEN_KEEPALIVE void brindlecogTouch(int kind, int touch, int x, int y, double ms) {
    switch (kind) {
        case TOUCH_START:
            finger().start(touch, x, y, ms);
            break;
        case TOUCH_MOVE:
            finger().move(touch, x, y, ms);
            break;
        case TOUCH_END:
            finger().end(touch, x, y, ms);
            break;
        default:
            finger().cancel(touch);
            break;
    }
}

EMSCRIPTEN_KEEPALIVE void brindlecogTouchSlop(double pixels) {
    finger().setSlop(pixels);
}

EMSCRIPTEN_KEEPALIVE void brindlecogRestoreGraphics(int width, int height) {
    restoreGraphics(width, height);
}

}  // extern "C"
