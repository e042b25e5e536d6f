#include "modes/start_state.h"

#include "app/platform.h"
#include "app/shell.h"
#include "modes/live_mode.h"
#include "render/asset_paths.h"

namespace {
constexpr float FULL_SCREEN_PICTURE = 1024.0f;  // the visible 800 by 600 is its centre
}

bool StartState::enter(State* /*previous*/) {
    // The global was built before any GL context, so its sprite has no quad yet.
    sprite = Sprite();
    sprite.scale = {FULL_SCREEN_PICTURE, FULL_SCREEN_PICTURE, FULL_SCREEN_PICTURE};
    sprite.position = {0.0f, 0.0f, 0.0f};
    sprite.setTexture(SPLASH_IMAGE);
    instructionsShown = 0;
    return true;
}

void StartState::display() {
    sprite.draw();
}

void StartState::mouse(int button, int state, int /*x*/, int /*y*/) {
    if (button != platform::MOUSE_LEFT || state != platform::BUTTON_UP) {
        return;  // the screen reacts to the release of the left button only
    }
    if (instructionsShown == 0) {
        instructionsShown = 1;
        sprite.setTexture(INSTRUCTIONS_IMAGE);
        return;
    }
    changeState(&liveMode);
}
