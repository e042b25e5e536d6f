// The play mode's pointer handling: the tool bar sees every event first, the tool icon and
// its glow follow the pointer, and the glow gates what a click may do on the board.
#include "app/board_box.h"
#include "app/display_state.h"
#include "app/frame_clock.h"
#include "app/held_modifiers.h"
#include "app/platform.h"
#include "audio/sound.h"
#include "audio/sound_names.h"
#include "modes/live_mode.h"

namespace {

// Pointer coordinates past this are taken as 0 in motion events: some window systems report
// a pointer dragged off the window's left or top edge as a wrapped 16-bit value (~65000).
constexpr int WRAPPED_COORDINATE = 30000;

// The piece a gear tool puts down: the four piece tools stand in PieceKind's order.
constexpr PieceKind pieceOf(int tool) {
    return static_cast<PieceKind>(tool - tools::SmallGear);
}
static_assert(pieceOf(tools::SmallGear) == PieceKind::SmallGear &&
                  pieceOf(tools::MediumGear) == PieceKind::MediumGear &&
                  pieceOf(tools::LargeGear) == PieceKind::LargeGear &&
                  pieceOf(tools::Motor) == PieceKind::Motor,
              "the gear tools stand in the order of the pieces they put down");

bool isGearTool(int tool) {
    return tool >= tools::SmallGear && tool <= tools::Motor;
}

int cursorFrame(int tool) {
    if (tool == tools::Move) {
        return 0;
    }
    if (isGearTool(tool)) {
        return 1;
    }
    if (tool >= tools::LengthenChain && tool <= tools::ResetChain) {
        return 2;
    }
    return 3;  // Delete, ClearAll
}

void playPlace() {
    Sound::instance()->play(PLACE_SOUND);
}

}  // namespace

Vec3 LiveMode::toBoard(int x, int y) {
    const float unitsPerPixel = static_cast<float>(static_cast<double>(BOARD_WIDTH) / windowWidth);
    // Through the same box the board is drawn in (the whole window unless it is letterboxed).
    const float boardX = static_cast<float>(x - boardLeft) * unitsPerPixel - BOARD_HALF_WIDTH;
    const float boardY = BOARD_HALF_HEIGHT - static_cast<float>(y - boardTop) * unitsPerPixel;
    return {boardX, boardY, 0.0f};
}

void LiveMode::placeCursor(int tool, Vec3 point) {
    cursor.texOffset.u = 0.25f * static_cast<float>(cursorFrame(tool));
    cursor.position = point;
    cursorGlow.position = point;
}

void LiveMode::motion(int x, int y) {
    passiveMotion(x, y);
}

void LiveMode::passiveMotion(int x, int y) {
    if (toolBar == nullptr) {
        return;
    }
    if (x > WRAPPED_COORDINATE) {
        x = 0;
    }
    if (y > WRAPPED_COORDINATE) {
        y = 0;
    }
    const Vec3 point = toBoard(x, y);
    const bool busy = heldGear != nullptr || heldChain != nullptr;
    const bool overBar = toolBar->hover(point, busy);
    const int tool = toolBar->tool;
    placeCursor(tool, point);
    updateGlow(tool, point, overBar);

    if (dragMode == NO_DRAG) {
        return;
    }
    if (heldGear != nullptr) {
        const Vec3 grab = heldGear->grabOffset;
        heldGear->dragTarget = {point.x - grab.x, point.y - grab.y, 0.0f - grab.z};
        // Shift as last seen by a key or button event: motion events do not carry it.
        const bool shift = (heldModifiers() & platform::MODIFIER_SHIFT) != 0;
        heldGear->lifted = dragMode == FREE_DRAG || shift;
    }
    if (heldChain != nullptr) {
        heldChain->grabTarget = {point.x, point.y, 0.0f};
    }
}

// The glow shows where a click would act; hidden, it stops the click at the gate.
void LiveMode::updateGlow(int tool, Vec3 point, bool overBar) {
    cursorGlow.hidden = !(isGearTool(tool) || tool == tools::NewChain);
    if (tool == tools::Move || tool == tools::Delete) {
        for (const auto& gear : board.gears) {
            const Vec3 centre = gear->position;
            const float dx = centre.x - point.x;
            const float dy = centre.y - point.y;
            const float dz = centre.z - 0.0f;
            // The rim counts as on the gear here, unlike gearAt's strict test.
            if (gear->radiusSquared >= dx * dx + dy * dy + dz * dz) {
                cursorGlow.hidden = false;
                break;
            }
        }
    }
    if (!isGearTool(tool)) {
        for (const auto& chain : board.chains) {
            if (chain->hitTest(point)) {
                cursorGlow.hidden = false;
                break;
            }
        }
    }
    if (overBar) {
        cursorGlow.hidden = true;
    }
    if (dragMode != NO_DRAG) {
        cursorGlow.hidden = false;  // the releasing click must pass the gate
    }
}

void LiveMode::mouse(int button, int state, int x, int y) {
    if (toolBar == nullptr || !platform::isPointerButton(button)) {
        return;  // a wheel notch would start a drag that no release ends
    }
    const Vec3 point = toBoard(x, y);
    toolBar->mouseButton(button, state, point);
    const int tool = toolBar->tool;
    placeCursor(tool, point);

    const bool leftRelease = button == platform::MOUSE_LEFT && state == platform::BUTTON_UP;
    if (leftRelease && tool == tools::ClearAll) {
        // Acts on the release of the very click that chose the tool, before the gate.
        clearBoard();
        toolBar->selectTool(tools::Move);
    }
    if (cursorGlow.hidden) {
        return;
    }
    if (tool == tools::Move) {
        if (state == platform::BUTTON_DOWN) {
            pressWithMove(button, point);
        } else {
            releaseWithMove(button);
        }
        return;
    }
    if (leftRelease) {
        applyTool(tool, point);
    }
}

void LiveMode::pressWithMove(int button, Vec3 point) {
    if (dragMode != NO_DRAG) {
        return;  // a press during a drag changes nothing
    }
    heldGear = gearAt(point);
    if (heldGear != nullptr) {
        heldGear->beginDrag(point);
        dragMode = button == platform::MOUSE_LEFT ? LEFT_DRAG : FREE_DRAG;
        return;
    }
    if (button != platform::MOUSE_LEFT) {
        return;  // only the left button picks up a chain
    }
    heldChain = chainAt(point);
    if (heldChain == nullptr) {
        return;
    }
    heldChain->grab(point);
    dragMode = LEFT_DRAG;
}

void LiveMode::releaseWithMove(int button) {
    if (dragMode == NO_DRAG) {
        return;
    }
    const bool ends =
        button == platform::MOUSE_LEFT ||
        (dragMode == FREE_DRAG && button == platform::MOUSE_RIGHT && heldGear != nullptr);
    if (ends) {
        endDrag();
    }
}

void LiveMode::endDrag() {
    if (heldGear != nullptr) {
        // One more update without lifting settles the gear clear of the others and inside
        // the board.
        heldGear->lifted = false;
        heldGear->update(frameDelta, board.gears, board.chains);
        heldGear->held = false;
        heldGear->lifted = false;
        heldGear = nullptr;
    }
    if (heldChain != nullptr) {
        heldChain->grabbed = nullptr;
        heldChain = nullptr;
    }
    dragMode = NO_DRAG;
}

void LiveMode::applyTool(int tool, Vec3 point) {
    switch (tool) {
        case tools::SmallGear:
        case tools::MediumGear:
        case tools::LargeGear:
        case tools::Motor:
            playPlace();
            addPiece(pieceOf(tool), point);
            break;
        case tools::LengthenChain:
            if (Chain* chain = chainAt(point)) {
                playPlace();
                chain->lengthen();
            }
            break;
        case tools::ShortenChain:
            if (Chain* chain = chainAt(point)) {
                playPlace();  // also when the chain is too short to lose links
                chain->shorten();
            }
            break;
        case tools::NewChain:
            playPlace();
            addChain(NEW_CHAIN_POINTS, point);
            break;
        case tools::ResetChain:
            if (Chain* chain = chainAt(point)) {
                chain->layout();
                playPlace();
            }
            break;
        case tools::Delete:
            if (Gear* gear = gearAt(point)) {
                playPlace();
                removeGear(gear);
            }
            if (Chain* chain = chainAt(point)) {
                playPlace();
                removeChain(chain);
            }
            break;
        default:
            break;
    }
}
