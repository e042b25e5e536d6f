#pragma once

#include "mechanics/point.h"
#include "mechanics/vec3.h"
#include "render/sprite.h"

// The link picture is drawn this many times the link's length, in both directions, so that
// neighbouring pictures overlap. Also enters the link hit test and the chain's tension.
constexpr float LINK_IMAGE_SCALE = 1.641f;
// Turns atan2 results into sprite rotations. Deliberately this literal, not 180/pi
// (57.29578): every turned angle on the board is scaled by exactly this float.
constexpr float DEGREES_PER_RADIAN = 57.295826f;

// One relaxation of the constraint |b - a| = sqrt(lengthSquared), without a square root:
// Jakobsen's first-order approximation of the exact correction (Advanced Character Physics,
// GDC 2001). Both ends move by the same amount in opposite directions; h tends to -0.5 for a
// very stretched link (ends meet in the middle) and to 0.5 for ends that almost coincide.
// Every operation is a separate float operation in this order: the chain's look depends on it.
inline void relaxDistance(Vec3& a, Vec3& b, float lengthSquared) {
    Vec3 d = b - a;
    const float h = lengthSquared / (lengthSquared + dot(d, d)) - 0.5f;
    d = d * h;
    a = a - d;
    b = b + d;
}

// A distance constraint between two points of a chain, and the only visible part of a chain:
// the link picture stretched and turned to lie between its ends. The chain owns both ends.
class Link final : public Sprite {
  public:
    // Scale starts at length * LINK_IMAGE_SCALE in all three directions; position and
    // rotation stay at their defaults until the first fitSprite. No texture: the chain gives
    // it its picture.
    Link(float length, Point* a, Point* b);
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    void satisfy() { relaxDistance(a->position, b->position, lengthSquared); }

    // Lays the picture along the ends: midpoint, direction from b to a, drawn length. The
    // width (scale y and z) keeps the rest length.
    void fitSprite();

    // True on a disc around the midpoint, about 0.755 * length across at rest length,
    // shrinking as the link stretches.
    bool hitTest(Vec3 q) const;

    Point* a;
    Point* b;
    float length;
    float lengthSquared;
};
