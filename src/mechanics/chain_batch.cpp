#include "mechanics/chain_batch.h"

#include <algorithm>
#include <limits>

#include "mechanics/chain.h"
#include "mechanics/chain_batch_kernels.h"
#include "mechanics/contact.h"
#include "mechanics/gear.h"

// The lanes must round as the scalar code does: IEEE single precision throughout.
static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4,
              "the batched floats must be IEEE singles, as the scalar ones are");

namespace {
// One lane of plain floats: the path for a chain alone, and for processors without SSE2.
struct ScalarPack {
    using Vector = float;
    static constexpr std::size_t WIDTH = 1;
    static Vector load(const float* at) { return *at; }
    static void store(float* at, Vector v) { *at = v; }
    static Vector set1(float value) { return value; }
    static Vector add(Vector a, Vector b) { return a + b; }
    static Vector sub(Vector a, Vector b) { return a - b; }
    static Vector mul(Vector a, Vector b) { return a * b; }
    static Vector div(Vector a, Vector b) { return a / b; }
    static Vector keepAbove(Vector limit, Vector v) { return limit > v ? limit : v; }
    static Vector keepBelow(Vector limit, Vector v) { return limit < v ? limit : v; }
};

using RelaxPass = void (*)(float*, float*, float*, const float*, std::size_t, int);
using Clamp = void (*)(float*, float*, std::size_t, float, float);

constexpr std::size_t AVX_LANES = 8;
constexpr std::size_t SSE2_LANES = 4;

bool hasAvx() {
#if defined(__x86_64__)
    // Also false where the operating system does not save the wide registers.
    static const bool avx = __builtin_cpu_supports("avx");
    return avx;
#else
    return false;
#endif
}

// The widest batch that pays for `remaining` chains of one length: idle lanes cost as much as
// busy ones, and a chain alone gains nothing from a wide register.
std::size_t batchWidth(std::size_t remaining) {
#if defined(__x86_64__)
    if (remaining > SSE2_LANES && hasAvx()) {
        return AVX_LANES;
    }
    if (remaining > 1) {
        return SSE2_LANES;
    }
#else
    (void)remaining;
#endif
    return 1;
}
}  // namespace

void ChainBatcher::runPasses(const ChainList& chains) {
    // A chain without links has nothing a pass could move: no points, contacts or pin.
    grouped.clear();
    for (const auto& chain : chains) {
        if (!chain->links.empty()) {
            grouped.push_back(chain.get());
        }
    }
    // Chains do not meet during the passes, so the order in which batches run is free.
    std::sort(grouped.begin(), grouped.end(),
              [](const Chain* a, const Chain* b) { return a->links.size() < b->links.size(); });
    for (std::size_t first = 0; first < grouped.size();) {
        std::size_t end = first;
        while (end < grouped.size() && grouped[end]->links.size() == grouped[first]->links.size()) {
            ++end;
        }
        while (first < end) {
            const std::size_t width = batchWidth(end - first);
            const std::size_t count = std::min(width, end - first);
            runBatch(&grouped[first], count, width);
            first += count;
        }
    }
}

void ChainBatcher::runBatch(Chain* const* chains, std::size_t count, std::size_t width) {
    lanes.clear();
    for (std::size_t lane = 0; lane < count; ++lane) {
        lanes.push_back(Lane{chains[lane], 0, 0, NONE, Vec3{}});
    }
    load(width);
    passes(width, chains[0]->links.size(), chains[0]->passCount());
    store(width);
}

std::size_t ChainBatcher::indexOf(const Point* point, std::size_t lane, std::size_t width) const {
    const auto begin = slots.begin() + static_cast<std::ptrdiff_t>(lane * slotsPerLane);
    const auto found = std::lower_bound(begin, begin + static_cast<std::ptrdiff_t>(slotsPerLane),
                                        std::make_pair(point, std::size_t{0}));
    return found->second * width + lane;
}

void ChainBatcher::load(std::size_t width) {
    const std::size_t n = lanes.front().chain->links.size();
    x.resize(n * width);
    y.resize(n * width);
    z.resize(n * width);
    rest.resize(n * width);
    slotsPerLane = n;
    slots.resize(lanes.size() * n);
    contacts.clear();
    drives.clear();
    for (std::size_t lane = 0; lane < width; ++lane) {
        // Idle lanes relax a copy of the first chain: finite numbers, never stored back.
        const Chain& chain = *lanes[lane < lanes.size() ? lane : 0].chain;
        for (std::size_t s = 0; s < n; ++s) {
            const Link& link = *chain.links[s];
            const std::size_t at = s * width + lane;
            x[at] = link.a->position.x;
            y[at] = link.a->position.y;
            z[at] = link.a->position.z;
            rest[at] = link.lengthSquared;
            if (lane < lanes.size()) {
                slots[lane * n + s] = {link.a, s};
            }
        }
    }
    for (std::size_t lane = 0; lane < lanes.size(); ++lane) {
        Lane& info = lanes[lane];
        const Chain& chain = *info.chain;
        const auto begin = slots.begin() + static_cast<std::ptrdiff_t>(lane * n);
        std::sort(begin, begin + static_cast<std::ptrdiff_t>(n));
        info.contactsBegin = contacts.size();
        for (const auto& contact : chain.contacts) {
            const Gear& gear = *contact->gear;
            contacts.push_back(FlatContact{indexOf(contact->point, lane, width), contact->life,
                                           gear.position, gear.radius, gear.radiusSquared});
        }
        info.contactsEnd = contacts.size();
        for (const LinkDrive& drive : chain.drives) {
            drives.push_back(FlatDrive{indexOf(drive.link->a, lane, width),
                                       indexOf(drive.link->b, lane, width), drive.goal});
        }
        if (chain.grabbed != nullptr) {
            info.grabbed = indexOf(chain.grabbed, lane, width);
            info.grabTarget = chain.grabTarget;
        }
    }
}

// Chain::runPasses on the flat arrays: every lane's links, then pins, board edge, contacts
// and drives, each lane in its own chain's order (lanes never share a point, so how the lanes
// interleave does not matter).
void ChainBatcher::passes(std::size_t width, std::size_t n, int count) {
    RelaxPass relax = BatchKernels<ScalarPack>::relaxPass;
    Clamp clamp = BatchKernels<ScalarPack>::clamp;
#if defined(__x86_64__)
    if (width == AVX_LANES) {
        relax = relaxPassAvx;
        clamp = clampAvx;
    } else if (width == SSE2_LANES) {
        relax = relaxPassSse2;
        clamp = clampSse2;
    }
#endif
    float* const px = x.data();
    float* const py = y.data();
    float* const pz = z.data();
    for (int pass = 0; pass < count; ++pass) {
        relax(px, py, pz, rest.data(), n, pass);
        for (const Lane& lane : lanes) {
            if (lane.grabbed != NONE) {
                px[lane.grabbed] = lane.grabTarget.x;
                py[lane.grabbed] = lane.grabTarget.y;
                pz[lane.grabbed] = lane.grabTarget.z;
            }
        }
        clamp(px, py, n * width, BOARD_HALF_WIDTH, BOARD_HALF_HEIGHT);
        for (FlatContact& contact : contacts) {  // Contact::resolve
            contact.life -= 1;
            Vec3 point{px[contact.at], py[contact.at], pz[contact.at]};
            if (pushOntoRim(point, contact.centre, contact.radius, contact.radiusSquared)) {
                contact.life = CONTACT_LIFE;
                px[contact.at] = point.x;
                py[contact.at] = point.y;
                pz[contact.at] = point.z;
            }
        }
        for (const FlatDrive& drive : drives) {  // LinkDrive::apply
            const Vec3 a{px[drive.a], py[drive.a], pz[drive.a]};
            const Vec3 b{px[drive.b], py[drive.b], pz[drive.b]};
            const Vec3 moved = drivenEnd(a, b, drive.goal);
            px[drive.a] = moved.x;
            py[drive.a] = moved.y;
            pz[drive.a] = moved.z;
        }
    }
}

void ChainBatcher::store(std::size_t width) {
    for (std::size_t lane = 0; lane < lanes.size(); ++lane) {
        const Lane& info = lanes[lane];
        Chain& chain = *info.chain;
        for (std::size_t s = 0; s < chain.links.size(); ++s) {
            const std::size_t at = s * width + lane;
            chain.links[s]->a->position = Vec3{x[at], y[at], z[at]};
        }
        for (std::size_t k = info.contactsBegin; k < info.contactsEnd; ++k) {
            chain.contacts[k - info.contactsBegin]->life = contacts[k].life;
        }
    }
}
