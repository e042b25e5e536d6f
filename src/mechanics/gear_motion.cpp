#include <cmath>

#include "mechanics/chain.h"
#include "mechanics/gear.h"

namespace {
// How far a gear may be from a chain's nearest point and still be held back by it; also the
// slack beyond the rim before a gear caught in a chain gets a weaker pull-back.
constexpr float CHAIN_REACH = 3.0f;
constexpr float ESCAPE_SLACK = 2.0f;
// The most a held gear moves in one frame, in board units.
constexpr float MAX_DRAG_STEP = 25.0f;

// How much of a dragged gear's move a chain takes away: its hold, 0 to 1.
struct ChainHold {
    // A chain none of whose links crosses the gear holds by its stretch over a tenth of its gap
    // to the rim (so a chain 10 units off holds as much as its stretch), the scaled gap no
    // smaller than MIN_GAP: a chain lying on the rim holds as much as it can.
    static constexpr float GAP_SCALE = 0.1f;
    static constexpr float MIN_GAP = 0.01f;
    // No chain holds a gear entirely: the drag always keeps a twentieth of its move.
    static constexpr float MOST = 0.95f;
    // A chain stretched past TAUT stops a drag whose direction lies within about 18 degrees of
    // its pull (the cosine STRAIGHT_INTO_PULL): the gear does not move at all.
    static constexpr float TAUT = 0.95f;
    static constexpr float STRAIGHT_INTO_PULL = 0.95f;
    // An overstretched chain (stretch above 1) pushes the gear back along its pull, by this many
    // board units per unit of overstretch.
    static constexpr float OVERSTRETCH_PUSH = 500.0f;
    // A chain stretched past FIRM holds FIRM_HOLD of a drag that goes at least 60 degrees away
    // from its pull (the cosine SIDEWAYS_TO_PULL); a drag more along the pull keeps the hold its
    // stretch gives.
    static constexpr float FIRM = 0.75f;
    static constexpr float FIRM_HOLD = 0.75f;
    static constexpr float SIDEWAYS_TO_PULL = 0.5f;
};
}  // namespace

void Gear::update(float dt, const GearList& gears, const ChainList& chains) {
    if (isMotor() && !held) {
        rotation += speed * dt;
        // Kept in [0, 360]: an ever-growing angle would pass 2^24 degrees within days, where a
        // float can no longer add one frame's turn and the motor stops turning on screen.
        wrapRotation();
        if (activeRamp != nullptr) {
            activeRamp->update(dt);
        }
    }
    turnWithChain();
    if (!held) {
        return;
    }
    if (lifted) {
        position = dragTarget;
        return;
    }
    position = chains.empty() ? dragTarget : followChains(chains);
    pushOffGears(gears);
    keepOnBoard();
}

void Gear::wrapRotation() {
    while (rotation > 360.0f) {
        rotation -= 360.0f;
    }
    while (rotation < 0.0f) {
        rotation += 360.0f;
    }
}

void Gear::turnWithChain() {
    if (trackedPoint != nullptr && (!isMotor() || held)) {
        const Vec3 now = trackedPoint->position;
        const float to = std::atan2(now.y - position.y, now.x - position.x);
        const float from =
            std::atan2(trackedStart.y - lastPosition.y, trackedStart.x - lastPosition.x);
        // Not brought into a half-turn: a crossing of the +-180 degree line adds a whole
        // turn, which the wrap removes.
        rotation += (to - from) * DEGREES_PER_RADIAN;
        wrapRotation();
    }
    lastPosition = position;
    trackedPoint = nullptr;
}

// The chain that holds a dragged gear back: the most stretched one within reach of its rim,
// else the first. A gear caught inside a chain that would leave it well behind is pulled back
// less, in proportion to how far it would get out.
Vec3 Gear::followChains(const ChainList& chains) const {
    const Chain* chosen = chains.front().get();
    float bestTension = 0.0f;
    for (const auto& chain : chains) {
        if (chain->nearestPointDistance(position) <= radius + CHAIN_REACH) {
            const float tension = chain->tension();
            if (tension > bestTension) {
                chosen = chain.get();
                bestTension = tension;
            }
        }
    }
    Vec3 next = dragStep(*chosen, 0.0f);
    if (chosen->nearestPointDistance(position) <= radius) {
        const float away = chosen->nearestPointDistance(next);
        if (away > radius + ESCAPE_SLACK) {
            next = dragStep(*chosen, away - radius);
        }
    }
    return next;
}

Vec3 Gear::dragStep(const Chain& chain, float extra) const {
    const float stretch = chain.tension();
    const Vec3 pull = chain.pullDirection(*this);
    Vec3 move = dragTarget - position;
    const float along = dot(normalize(move), pull);
    Vec3 force;
    float hold;  // the fraction of the move the chain takes away
    if (pull == Vec3{}) {
        // No link crosses the disc: the nearer and the tighter the chain, the more it holds.
        float distance = (chain.nearestPointDistance(position) - radius) * ChainHold::GAP_SCALE;
        if (distance < ChainHold::MIN_GAP) {
            distance = ChainHold::MIN_GAP;
        }
        hold = stretch / distance;
        if (hold < 0.0f) {
            hold = 0.0f;
        }
        if (hold > ChainHold::MOST) {
            hold = ChainHold::MOST;
        }
    } else {
        if (stretch > ChainHold::TAUT && along > ChainHold::STRAIGHT_INTO_PULL) {
            move = Vec3{};  // dragging straight into a taut chain does nothing
        }
        if (stretch > 1.0f) {
            hold = ChainHold::MOST;
            force = -pull * (stretch - 1.0f) * ChainHold::OVERSTRETCH_PUSH;
        } else if (stretch > ChainHold::FIRM && along <= ChainHold::SIDEWAYS_TO_PULL) {
            hold = ChainHold::FIRM_HOLD;
        } else {
            hold = stretch;
        }
        if (extra > 0.0f) {
            force = force / extra;
        }
        move = move + force;
    }
    move = move * (1.0f - hold);
    if (length(move) > MAX_DRAG_STEP) {
        move = normalize(move) * MAX_DRAG_STEP;
    }
    return position + move;
}

// One pass in list order: a later push may bring the gear back against an earlier gear until
// the next frame. Centres that coincide stay together (the direction is zero).
void Gear::pushOffGears(const GearList& gears) {
    for (const auto& other : gears) {
        if (other.get() == this) {
            continue;
        }
        const float spacing = radius + other->radius + GEAR_GAP;
        if (length(position - other->position) < spacing) {
            position = other->position + normalize(position - other->position) * spacing;
        }
    }
}

void Gear::keepOnBoard() {
    if (position.x < radius - BOARD_HALF_WIDTH) {
        position.x = radius - BOARD_HALF_WIDTH;
    }
    if (position.x > BOARD_HALF_WIDTH - radius) {
        position.x = BOARD_HALF_WIDTH - radius;
    }
    if (position.y < radius - BOARD_HALF_HEIGHT) {
        position.y = radius - BOARD_HALF_HEIGHT;
    }
    if (position.y > BOARD_HALF_HEIGHT - radius) {
        position.y = BOARD_HALF_HEIGHT - radius;
    }
}
