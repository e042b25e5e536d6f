#include "mechanics/contact.h"

#include "mechanics/gear.h"
#include "mechanics/link.h"
#include "mechanics/point.h"

void Contact::detach() {
    point->stopTouching(gear);
}

void Contact::resolve() {
    life -= 1;
    if (pushOntoRim(point->position, gear->position, gear->radius, gear->radiusSquared)) {
        life = CONTACT_LIFE;
    }
}

void LinkDrive::apply() {
    link->a->position = drivenEnd(link->a->position, link->b->position, goal);
}

LinkDrive makeDrive(Gear* gear, Link* link, float dt) {
    const Vec3 direction = normalize(link->position - gear->position);
    // A quarter turn counter-clockwise: the tangent of the rim.
    const Vec3 tangent = cross(direction, Vec3{0.0f, 0.0f, -1.0f});
    return LinkDrive{link, gear, link->position + tangent * (gear->speed * dt)};
}
