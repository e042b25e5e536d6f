#include <cmath>

#include "mechanics/chain.h"
#include "mechanics/gear.h"

float Chain::tension() const {
    // The drawn widths are the links' actual lengths times LINK_IMAGE_SCALE, as of the last
    // fitSprite; dividing by the rest width times 0.1 gives ten times the mean length ratio.
    float width = 0.0f;
    for (const auto& link : links) {
        width += link->scale.x;
    }
    const float count = static_cast<float>(links.size());
    return width / (count * linkLength * LINK_IMAGE_SCALE * 0.1f) - 10.0f;
}

Vec3 Chain::pullDirection(const Gear& gear) const {
    Vec3 sum;
    for (const auto& link : links) {
        const Vec3 a = link->a->position;
        const Vec3 b = link->b->position;
        // A link whose ends coincide yields NaN here, which the comparison treats as far.
        if (segmentDistanceSquared(gear.position, a, b) < gear.radiusSquared) {
            sum += normalize(a - gear.position) + normalize(b - gear.position);
        }
    }
    return normalize(sum);
}

float Chain::nearestPointDistance(Vec3 point) const {
    float best = -1.0f;
    for (const auto& chainPoint : points) {
        const float d = distanceSquared(chainPoint->position, point);
        if (best < 0.0f || d < best) {
            best = d;
        }
    }
    return std::sqrt(best);
}
