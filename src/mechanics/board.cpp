#include "mechanics/board.h"

#include <algorithm>

#include "mechanics/board_validator.h"
#include "render/asset_paths.h"

namespace {
constexpr float MOTOR_FULL_SPEED = 200.0f;

template <class T>
void eraseOwned(std::vector<std::unique_ptr<T>>& list, const T* item) {
    const auto found = std::find_if(list.begin(), list.end(),
                                    [item](const auto& owned) { return owned.get() == item; });
    if (found != list.end()) {
        list.erase(found);
    }
}
}  // namespace

Board::~Board() {
    // Gears first, then chains, each in list order, as the play mode tears its board down.
    gears.clear();
    chains.clear();
}

Gear* Board::addPiece(PieceKind kind, Vec3 point, bool powerOn) {
    std::unique_ptr<Gear> gear;
    switch (kind) {
        case PieceKind::SmallGear:
            gear = std::make_unique<Gear>(30.0f, GEAR_IMAGE, 0.0f, 0.0f);
            break;
        case PieceKind::MediumGear:
            gear = std::make_unique<Gear>(40.0f, GEAR_IMAGE, 0.0f, 0.0f);
            break;
        case PieceKind::LargeGear:
            gear = std::make_unique<Gear>(50.0f, GEAR_IMAGE, 0.0f, 0.0f);
            break;
        case PieceKind::Motor:
            gear = std::make_unique<Gear>(50.0f, MOTOR_IMAGE, MOTOR_FULL_SPEED,
                                          powerOn ? MOTOR_FULL_SPEED : 0.0f);
            break;
    }
    if (gear == nullptr) {
        return nullptr;
    }
    gear->position = point;
    gears.push_back(std::move(gear));
    return gears.back().get();
}

Chain* Board::addChain(int count, Vec3 origin) {
    chains.push_back(std::make_unique<Chain>(count, BOARD_LINK_LENGTH, origin));
    return chains.back().get();
}

void Board::removeGear(Gear* gear) {
    if (gear == nullptr) {
        return;
    }
    for (const auto& chain : chains) {
        chain->removeGearContacts(gear);
    }
    eraseOwned(gears, gear);
}

void Board::removeChain(Chain* chain) {
    eraseOwned(chains, chain);
}

void Board::clear() {
    while (!gears.empty()) {
        removeGear(gears.front().get());
    }
    while (!chains.empty()) {
        removeChain(chains.front().get());
    }
}

Gear* Board::gearAt(Vec3 point) const {
    for (const auto& gear : gears) {
        if (gear->radiusSquared > distanceSquared(point, gear->position)) {
            return gear.get();
        }
    }
    return nullptr;
}

Chain* Board::chainAt(Vec3 point) const {
    for (const auto& chain : chains) {
        if (chain->hitTest(point)) {
            return chain.get();
        }
    }
    return nullptr;
}

void Board::layOutStartingBoard(bool powerOn) {
    addChain(46, Vec3{-295.0f, 40.0f, 0.0f});
    addPiece(PieceKind::Motor, Vec3{-255.0f, 50.0f, 0.0f}, powerOn);
    addPiece(PieceKind::LargeGear, Vec3{-55.0f, 215.0f, 0.0f}, powerOn);
    addPiece(PieceKind::LargeGear, Vec3{-255.0f, 215.0f, 0.0f}, powerOn);
    addPiece(PieceKind::LargeGear, Vec3{-55.0f, 50.0f, 0.0f}, powerOn);
}

float Board::largestTension() const {
    float largest = 0.0f;
    for (const auto& chain : chains) {
        const float tension = chain->tension();
        if (tension > largest) {
            largest = tension;
        }
    }
    return largest;
}

void Board::step(float dt, bool powerOn, ChainStepping stepping) {
    if (stepping == ChainStepping::OneChainAtATime) {
        for (const auto& chain : chains) {
            chain->step(gears, dt);
        }
    } else {
        // The same results: a chain's passes touch only its own points and contacts, and the
        // one thing chains share, which of them binds a gear's tracked point, is settled in
        // beginStep, in list order, before any pass moves a point.
        for (const auto& chain : chains) {
            chain->beginStep(gears, dt);
        }
        batcher.runPasses(chains);
        for (const auto& chain : chains) {
            chain->endStep();
        }
    }
    for (const auto& gear : gears) {
        gear->update(dt, gears, chains);
        if (gear->isMotor() && !gear->held) {
            gear->activeRamp = powerOn ? gear->startRamp.get() : gear->stopRamp.get();
            gear->activeRamp->start();
        }
    }
    assertValidAfterStep(*this);
}
