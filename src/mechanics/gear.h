#pragma once

#include <memory>

#include "mechanics/board_lists.h"
#include "mechanics/vec3.h"
#include "render/interval.h"
#include "render/sprite.h"

class Chain;
class Point;

// Seconds of a motor's speed ramp. The play mode restarts the ramp every frame, which turns
// it into a lag that closes dt / RAMP_TIME of the remaining gap per frame.
constexpr float RAMP_TIME = 2.0f;
// Board units kept between the rims of two gears when one is pushed against the other.
constexpr float GEAR_GAP = 3.0f;

// A gear or a motor on the board: a plain gear turns only when the chain around it moves, a
// motor turns by itself and pulls the chain links on its disc along its rim. Gears never mesh;
// all turning passes through the chain. The sprite's position is the centre, rotation the
// angle in degrees, scale the diameter.
class Gear final : public Sprite {
  public:
    using Ramp = BlendInterval<Gear, float>;

    // motorSpeed > 0 makes a motor (with its two ramps); 0 a plain gear. The gear stands at
    // (-350, 202, 0) until its owner places it.
    Gear(float radius, const char* imagePath, float motorSpeed, float startSpeed);
    ~Gear();
    // The ramps point back at this gear, so it never moves in memory.
    Gear(const Gear&) = delete;
    Gear& operator=(const Gear&) = delete;

    bool isMotor() const { return motorSpeed > 0.0f; }

    // The ramps' setter and getter.
    void setSpeed(float value) { speed = value; }
    float getSpeed() { return speed; }

    // The user grabbed the gear at board point `point`.
    void beginDrag(Vec3 point);

    // One frame: a free motor turns by its speed and advances its ramp; the chain turns a
    // plain gear (or a held motor); a held gear moves towards dragTarget, held back by the
    // chain, pushed off the other gears and kept on the board.
    void update(float dt, const GearList& gears, const ChainList& chains);

    // Turns by the angle the tracked point swept about the centre since it was bound (plain
    // gears and held motors), then releases the binding.
    void turnWithChain();

    // The next position of a held gear as chain `chain` lets it move; extra (0 or a distance)
    // weakens the chain's pull-back.
    Vec3 dragStep(const Chain& chain, float extra) const;

    float radius;
    float radiusSquared;
    float speed;          // degrees per second, also board units per second of chain pulled
    float motorSpeed;     // full speed of a motor; 0 for a plain gear
    bool lifted = false;  // dragged freely: goes straight to the pointer, chains ignore it
    bool held = false;
    Vec3 grabOffset;  // pointer minus centre when grabbed
    Vec3 dragTarget;  // where the pointer wants the centre
    // The chain point whose travel turns the gear this frame: bound by a chain step, released
    // by update in the same frame.
    Point* trackedPoint = nullptr;
    Vec3 trackedStart;               // trackedPoint's position when it was bound
    Vec3 lastPosition;               // the centre at the last update
    Interval* activeRamp = nullptr;  // startRamp, stopRamp or none
    // Motors only. Declared in this order so that startRamp is destroyed first.
    std::unique_ptr<Ramp> stopRamp;   // blends speed to 0
    std::unique_ptr<Ramp> startRamp;  // blends speed to motorSpeed

  private:
    std::unique_ptr<Ramp> makeRamp(float to);
    void wrapRotation();
    Vec3 followChains(const ChainList& chains) const;
    void pushOffGears(const GearList& gears);
    void keepOnBoard();
};
