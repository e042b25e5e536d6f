#include "mechanics/gear.h"

Gear::Gear(float radius, const char* imagePath, float motorSpeed, float startSpeed)
    : radius(radius), speed(startSpeed), motorSpeed(motorSpeed) {
    setTexture(imagePath);
    position = Vec3{-350.0f, 202.0f, 0.0f};
    const float diameter = 2.0f * radius;
    scale = Vec3{diameter, diameter, diameter};
    lastPosition = position;
    radiusSquared = radius * radius;
    if (isMotor()) {
        startRamp = makeRamp(motorSpeed);
        stopRamp = makeRamp(0.0f);
    }
}

Gear::~Gear() {
    startRamp.reset();
    stopRamp.reset();
}

// A linear two-second blend of speed from its current value to `to`. The play mode restarts
// it every frame, so it never runs to its end.
std::unique_ptr<Gear::Ramp> Gear::makeRamp(float to) {
    auto ramp = std::make_unique<Ramp>(RAMP_TIME, 1);
    ramp->target = this;
    ramp->setter = &Gear::setSpeed;
    ramp->getter = &Gear::getSpeed;
    ramp->fromCurrent = true;
    ramp->to = to;
    return ramp;
}

void Gear::beginDrag(Vec3 point) {
    held = true;
    grabOffset = point - position;
    dragTarget = point - grabOffset;
}
