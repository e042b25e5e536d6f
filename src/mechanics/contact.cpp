#include "mechanics/contact.h"

#include "mechanics/gear.h"
#include "mechanics/link.h"
#include "mechanics/point.h"

void Contact::detach() {
    point->stopTouching(gear);
}

void Contact::resolve() {
    life -= 1;
    if (distanceSquared(gear->position, point->position) <= gear->radiusSquared) {
        life = CONTACT_LIFE;
        point->position =
            gear->position + normalize(point->position - gear->position) * gear->radius;
    }
}

void LinkDrive::apply() {
    const Vec3 middle = (link->a->position + link->b->position) * 0.5f;
    link->a->position = link->a->position + (goal - middle);
}

LinkDrive makeDrive(Gear* gear, Link* link, float dt) {
    const Vec3 direction = normalize(link->position - gear->position);
    // A quarter turn counter-clockwise: the tangent of the rim.
    const Vec3 tangent = cross(direction, Vec3{0.0f, 0.0f, -1.0f});
    return LinkDrive{link, gear, link->position + tangent * (gear->speed * dt)};
}
