#include "app/graphics_restore.h"

#include "app/display_state.h"
#include "app/platform.h"
#include "app/shell.h"
#include "render/sprite.h"
#include "render/texture_cache.h"
#include "render/unit_quad.h"

// The link batch keeps no GL objects: its arrays are the game's own memory.
void restoreGraphics(int width, int height) {
    rebuildUnitQuadList(unitQuad);
    TextureCache::reloadAll();
    Sprite::forgetDrawingState();
    initDisplayState();
    reshape(width, height);
    platform::current().postRedisplay();
}
