#include "modes/live_mode.h"

#include "app/frame_clock.h"
#include "audio/sound.h"
#include "audio/sound_names.h"
#include "render/asset_paths.h"

namespace {
constexpr float LIGHT_UNLIT = 0.0f;
constexpr float LIGHT_LIT = 0.5f;
// Off the visible board until the first pointer event moves them.
constexpr Vec3 CURSOR_PARKED{1000.0f, 1000.0f, 0.0f};
// The icon and its glow are drawn beside the pointer, right of and below it.
constexpr Vec3 CURSOR_OFFSET{25.0f, -25.0f, 0.0f};
}  // namespace

bool LiveMode::enter(State* /*previous*/) {
    heldGear = nullptr;
    heldChain = nullptr;
    dragMode = NO_DRAG;
    toolBar = std::make_unique<ToolBar>();

    // Fresh sprites: the global was built before the window, so they lack the shared quad.
    background = Sprite();
    background.setTexture(BACKGROUND_IMAGE);
    background.scale = {1024.0f, 1024.0f, 1024.0f};
    // The board picture is opaque: blending it would give the same pixels at a full-screen
    // blend's cost on a software renderer.
    background.blend = false;

    cursor = Sprite();
    cursor.setTexture(CURSORS_IMAGE);
    cursor.scale = {32.0f, 32.0f, 32.0f};
    cursor.position = CURSOR_PARKED;
    cursor.offset = CURSOR_OFFSET;
    cursor.texTransform = true;
    cursor.texScale.u = 0.25f;  // a strip of four icons

    cursorGlow = Sprite();
    cursorGlow.setTexture(CURSOR_GLOW_IMAGE);
    cursorGlow.scale = {56.0f, 56.0f, 56.0f};
    cursorGlow.position = CURSOR_PARKED;
    cursorGlow.offset = CURSOR_OFFSET;
    cursorGlow.color.a = 0.8f;

    tightLight = Sprite();
    tightLight.setTexture(TIGHT_LIGHT_IMAGE);
    tightLight.scale = {100.0f, 100.0f, 100.0f};
    tightLight.position = {330.0f, 230.0f, 0.0f};
    tightLight.texTransform = true;
    tightLight.texScale.u = 0.5f;  // unlit and lit, side by side

    board.layOutStartingBoard(toolBar->powerOn());
    Sound::instance()->play(BACKGROUND_SOUND);
    return true;
}

bool LiveMode::leave(State* /*next*/) {
    Sound::instance()->stopAll();
    toolBar.reset();
    board.gears.clear();
    board.chains.clear();
    heldGear = nullptr;
    heldChain = nullptr;
    dragMode = NO_DRAG;
    return true;
}

void LiveMode::display() {
    background.draw();
    tightLight.draw();
    for (const auto& gear : board.gears) {
        gear->draw();
    }
    for (const auto& chain : board.chains) {
        chain->draw();
    }
    if (toolBar != nullptr) {
        toolBar->draw();
    }
    cursorGlow.draw();
    cursor.draw();
}

bool LiveMode::update() {
    if (toolBar == nullptr) {
        return true;  // not entered yet
    }
    const float dt = frameDelta;
    tightLight.texOffset.u = board.largestTension() < TENSION_WARNING ? LIGHT_UNLIT : LIGHT_LIT;
    board.step(dt, toolBar->powerOn(), chainStepping);
    toolBar->slide->update(dt);
    return true;
}

Gear* LiveMode::addPiece(PieceKind kind, Vec3 point) {
    return board.addPiece(kind, point, powerOn());
}

Chain* LiveMode::addChain(int count, Vec3 point) {
    return board.addChain(count, point);
}

void LiveMode::removeGear(Gear* gear) {
    if (gear != nullptr && gear == heldGear) {
        heldGear = nullptr;  // the drag ends with its gear: nothing may point at it
        dragMode = NO_DRAG;
    }
    board.removeGear(gear);
}

void LiveMode::removeChain(Chain* chain) {
    if (chain != nullptr && chain == heldChain) {
        heldChain = nullptr;
        dragMode = NO_DRAG;
    }
    board.removeChain(chain);
}

void LiveMode::clearBoard() {
    if (heldGear != nullptr || heldChain != nullptr) {
        dragMode = NO_DRAG;  // the drag ends with its piece: nothing may point at it
    }
    heldGear = nullptr;
    heldChain = nullptr;
    board.clear();
}
