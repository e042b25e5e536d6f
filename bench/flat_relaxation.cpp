#include "flat_relaxation.h"

#include <cstring>

static_assert(sizeof(Vec3) == 3 * sizeof(float), "a flat point is three packed floats");

FlatChain flatten(const Chain& chain) {
    FlatChain flat;
    for (const auto& link : chain.links) {
        const Vec3 at = link->a->position;
        flat.xyz.insert(flat.xyz.end(), {at.x, at.y, at.z});
        flat.lengthSquared.push_back(link->lengthSquared);
    }
    return flat;
}

bool samePositions(const FlatChain& flat, const Chain& chain) {
    for (std::size_t i = 0; i < chain.links.size(); ++i) {
        if (std::memcmp(&flat.xyz[3 * i], &chain.links[i]->a->position, sizeof(Vec3)) != 0) {
            return false;
        }
    }
    return true;
}

// The same loop as the chain's, on indices instead of objects: the shared end of two
// consecutive links stays in registers, every end is stored after every link.
void relaxFlat(FlatChain& chain, int pass) {
    const std::size_t n = chain.lengthSquared.size();
    if (n == 0) {
        return;
    }
    float* const p = chain.xyz.data();
    const float* const rest = chain.lengthSquared.data();
    if (pass % 2 == 0) {
        float bx = p[0];
        float by = p[1];
        float bz = p[2];
        for (std::size_t i = n; i-- > 0;) {
            float* const a = p + 3 * i;
            float* const b = p + 3 * (i + 1 == n ? 0 : i + 1);
            float ax = a[0];
            float ay = a[1];
            float az = a[2];
            float dx = bx - ax;
            float dy = by - ay;
            float dz = bz - az;
            const float h = rest[i] / (rest[i] + (dx * dx + dy * dy + dz * dz)) - 0.5f;
            dx = dx * h;
            dy = dy * h;
            dz = dz * h;
            ax = ax - dx;
            ay = ay - dy;
            az = az - dz;
            bx = bx + dx;
            by = by + dy;
            bz = bz + dz;
            a[0] = ax;
            a[1] = ay;
            a[2] = az;
            b[0] = bx;
            b[1] = by;
            b[2] = bz;
            bx = ax;
            by = ay;
            bz = az;
        }
    } else {
        float ax = p[0];
        float ay = p[1];
        float az = p[2];
        for (std::size_t i = 0; i < n; ++i) {
            float* const a = p + 3 * i;
            float* const b = p + 3 * (i + 1 == n ? 0 : i + 1);
            float bx = b[0];
            float by = b[1];
            float bz = b[2];
            float dx = bx - ax;
            float dy = by - ay;
            float dz = bz - az;
            const float h = rest[i] / (rest[i] + (dx * dx + dy * dy + dz * dz)) - 0.5f;
            dx = dx * h;
            dy = dy * h;
            dz = dz * h;
            ax = ax - dx;
            ay = ay - dy;
            az = az - dz;
            bx = bx + dx;
            by = by + dy;
            bz = bz + dz;
            a[0] = ax;
            a[1] = ay;
            a[2] = az;
            b[0] = bx;
            b[1] = by;
            b[2] = bz;
            ax = bx;
            ay = by;
            az = bz;
        }
    }
}
