#include "mechanics/link.h"

#include <cmath>

Link::Link(float length, Point* a, Point* b)
    : a(a), b(b), length(length), lengthSquared(length * length) {
    const float size = length * LINK_IMAGE_SCALE;
    scale = Vec3{size, size, size};
}

void Link::fitSprite() {
    position = (a->position + b->position) * 0.5f;
    position.z = 0.0f;
    const Vec3 d = a->position - b->position;
    rotation = std::atan2(d.y, d.x) * DEGREES_PER_RADIAN;
    scale.x = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z) * LINK_IMAGE_SCALE;
}

bool Link::hitTest(Vec3 q) const {
    const float limit = lengthSquared * LINK_IMAGE_SCALE;
    return distanceSquared(a->position, q) + distanceSquared(b->position, q) <= limit;
}
