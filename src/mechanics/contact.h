#pragma once

#include "mechanics/vec3.h"

class Gear;
class Link;
class Point;

// Relaxation passes a contact lives without its point inside the gear's radius.
constexpr int CONTACT_LIFE = 5;

// A chain point touching a gear: while it lives, the point is kept out of the gear's disc.
// Owned by the chain; made together with the gear's entry in the point's touching list.
struct Contact {
    Point* point;
    Gear* gear;
    int life;  // passes left

    // Removes the gear from the point's touching list.
    void detach();
    // One pass: ages the contact; a point inside the disc is put on the rim, on the ray from
    // the centre through it, and the contact is refreshed.
    void resolve();
};

// The arithmetic of Contact::resolve and LinkDrive::apply on bare positions, so that the
// batched passes (chain_batch.cpp), which keep positions in flat arrays, do the very same
// float operations.

// Puts `at` on the rim of the disc around centre, on the ray from the centre through it, if it
// lies inside the disc or on its rim (a NaN distance is neither); true if it did.
inline bool pushOntoRim(Vec3& at, Vec3 centre, float radius, float radiusSquared) {
    if (distanceSquared(centre, at) <= radiusSquared) {
        at = centre + normalize(at - centre) * radius;
        return true;
    }
    return false;
}

// Where a drive puts the first end a of a link from a to b: moved by the midpoint's distance
// to goal.
inline Vec3 drivenEnd(Vec3 a, Vec3 b, Vec3 goal) {
    return a + (goal - (a + b) * 0.5f);
}

// A running motor pulling one link along its rim for the length of one chain step.
struct LinkDrive {
    Link* link;
    Gear* gear;
    Vec3 goal;  // where the link's midpoint is pulled during the step

    // Moves the link's first end by the midpoint's distance to goal, which moves the
    // midpoint only half-way there; the second end follows through the constraints of the
    // next pass, and the next passes close the rest.
    void apply();
};

// The drive that pulls link's fitted midpoint speed * dt board units further along the
// motor's rim, counter-clockwise for a positive speed. A stopped motor holds the link still.
LinkDrive makeDrive(Gear* gear, Link* link, float dt);
