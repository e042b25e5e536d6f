#include "mechanics/chain_batch.h"

#include <algorithm>
#include <limits>

#include "mechanics/chain.h"
#include "mechanics/chain_batch_kernels.h"
#include "mechanics/chain_lanes.h"
#include "mechanics/contact.h"
#include "mechanics/gear.h"

// The lanes must round as the scalar code does: IEEE single precision throughout.
static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4,
              "the batched floats must be IEEE singles, as the scalar ones are");

namespace {
// One lane of plain floats: the path for a chain alone.
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

// A chain alone has a batch of its own length: no masks.
constexpr LaneKernels SCALAR_KERNELS = {BatchKernels<ScalarPack>::relaxPass,
                                        BatchKernels<ScalarPack>::clamp, nullptr, nullptr};

// The register that holds `count` chains: idle lanes cost as much as busy ones, and a chain
// alone gains nothing from a wide register.
std::size_t batchWidth(std::size_t count) {
    return count == 1 ? 1 : count <= SSE2_LANES ? SSE2_LANES : AVX_LANES;
}

// Time of one link's constraint in one pass of a batch, relative to the one-lane loop, as the
// benchmark's stress board measures it on an AMD EPYC host (the four- and eight-lane passes
// cost about 1.35 and 1.85 scalar ones there), with a little more for the masked kernel's
// selects. Only the order of the three matters to the plan, and only near its ties.
double stepCost(std::size_t width) {
    return width == 1 ? 1.0 : width == SSE2_LANES ? 1.4 : 2.0;
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
    planBatches();
    std::size_t first = 0;
    for (const std::size_t end : batchEnds) {
        runBatch(&grouped[first], end - first, batchWidth(end - first));
        first = end;
    }
}

// The cheapest split of the sorted chains into runs of neighbours, by dynamic programming over
// the prefix lengths: a batch costs stepCost(width) x its longest chain's links x its passes,
// the work of its padded lanes. Sorted neighbours waste the least padding, and a chain whose
// length is far from the others' runs alone rather than pad a batch to its length.
void ChainBatcher::planBatches() {
    const std::size_t count = grouped.size();
    const std::size_t widest = widestBatch();
    planCost.assign(count + 1, 0.0);
    planTake.assign(count + 1, 0);
    for (std::size_t end = 1; end <= count; ++end) {
        const double links = static_cast<double>(grouped[end - 1]->links.size());
        const double work = links * grouped[end - 1]->passCount();
        planCost[end] = std::numeric_limits<double>::infinity();
        for (std::size_t take = 1; take <= std::min(widest, end); ++take) {
            const double cost = planCost[end - take] + stepCost(batchWidth(take)) * work;
            if (cost < planCost[end]) {
                planCost[end] = cost;
                planTake[end] = take;
            }
        }
    }
    batchEnds.clear();
    for (std::size_t end = count; end > 0; end -= planTake[end]) {
        batchEnds.push_back(end);
    }
    std::reverse(batchEnds.begin(), batchEnds.end());
}

void ChainBatcher::runBatch(Chain* const* chains, std::size_t count, std::size_t width) {
    lanes.clear();
    for (std::size_t lane = 0; lane < count; ++lane) {
        lanes.push_back(Lane{chains[lane], chains[lane]->links.size(), chains[lane]->passCount(), 0,
                             0, 0, 0, NONE, Vec3{}});
    }
    // The chains come sorted by link count, and the pass count follows it: the last lane has
    // the batch's most links and most passes.
    const std::size_t n = lanes.back().links;
    const int passCount = lanes.back().passes;
    // Equal lanes need no masks: idle lanes then relax a copy of the first chain.
    const bool masked = lanes.front().links != n;
    load(width, n);
    passes(width, n, passCount, masked);
    store(width);
}

std::size_t ChainBatcher::indexOf(const Point* point, std::size_t lane, std::size_t width) const {
    const auto begin = slots.begin() + static_cast<std::ptrdiff_t>(lane * slotsPerLane);
    const auto found =
        std::lower_bound(begin, begin + static_cast<std::ptrdiff_t>(lanes[lane].links),
                         std::make_pair(point, std::size_t{0}));
    return found->second * width + lane;
}

// Slot s of a lane holds its link s's first end; a shorter lane's slots past its own links
// repeat its first point with its first link's length, finite scratch that no result reads. Idle
// lanes copy the first lane.
void ChainBatcher::load(std::size_t width, std::size_t n) {
    x.resize(n * width);
    y.resize(n * width);
    z.resize(n * width);
    rest.resize(n * width);
    laneLinks.assign(width, 0.0f);
    slotsPerLane = n;
    slots.resize(lanes.size() * n);
    contacts.clear();
    drives.clear();
    for (std::size_t lane = 0; lane < width; ++lane) {
        const Chain& chain = *lanes[lane < lanes.size() ? lane : 0].chain;
        const std::size_t links = chain.links.size();
        for (std::size_t s = 0; s < n; ++s) {
            const Link& link = *chain.links[s < links ? s : 0];
            const std::size_t at = s * width + lane;
            x[at] = link.a->position.x;
            y[at] = link.a->position.y;
            z[at] = link.a->position.z;
            rest[at] = link.lengthSquared;
            if (lane < lanes.size() && s < links) {
                slots[lane * n + s] = {link.a, s};
            }
        }
    }
    for (std::size_t lane = 0; lane < lanes.size(); ++lane) {
        Lane& info = lanes[lane];
        const Chain& chain = *info.chain;
        const auto begin = slots.begin() + static_cast<std::ptrdiff_t>(lane * n);
        std::sort(begin, begin + static_cast<std::ptrdiff_t>(info.links));
        info.contactsBegin = contacts.size();
        for (const auto& contact : chain.contacts) {
            const Gear& gear = *contact->gear;
            contacts.push_back(FlatContact{indexOf(contact->point, lane, width), contact->life,
                                           gear.position, gear.radius, gear.radiusSquared});
        }
        info.contactsEnd = contacts.size();
        info.drivesBegin = drives.size();
        for (const LinkDrive& drive : chain.drives) {
            drives.push_back(FlatDrive{indexOf(drive.link->a, lane, width),
                                       indexOf(drive.link->b, lane, width), drive.goal});
        }
        info.drivesEnd = drives.size();
        if (chain.grabbed != nullptr) {
            info.grabbed = indexOf(chain.grabbed, lane, width);
            info.grabTarget = chain.grabTarget;
        }
    }
}

// Chain::runPasses on the flat arrays: every lane's links, then pins, board edge, contacts
// and drives, each lane in its own chain's order (lanes never share a point, so how the lanes
// interleave does not matter). A masked batch leaves out of each pass the lanes whose own
// passes are over.
void ChainBatcher::passes(std::size_t width, std::size_t n, int count, bool masked) {
    const LaneKernels& kernels = width == 1 ? SCALAR_KERNELS : laneKernels(width);
    // Only batches wider than one lane can hold chains of different lengths.
    masked = masked && kernels.relaxPassMasked != nullptr;
    float* const px = x.data();
    float* const py = y.data();
    float* const pz = z.data();
    for (int pass = 0; pass < count; ++pass) {
        if (masked) {
            for (std::size_t lane = 0; lane < lanes.size(); ++lane) {
                const bool runs = pass < lanes[lane].passes;
                laneLinks[lane] = runs ? static_cast<float>(lanes[lane].links) : 0.0f;
            }
            kernels.relaxPassMasked(px, py, pz, rest.data(), n, pass, laneLinks.data());
        } else {
            kernels.relaxPass(px, py, pz, rest.data(), n, pass);
        }
        for (const Lane& lane : lanes) {
            if (lane.grabbed != NONE && pass < lane.passes) {
                px[lane.grabbed] = lane.grabTarget.x;
                py[lane.grabbed] = lane.grabTarget.y;
                pz[lane.grabbed] = lane.grabTarget.z;
            }
        }
        if (masked) {
            kernels.clampMasked(px, py, n * width, BOARD_HALF_WIDTH, BOARD_HALF_HEIGHT,
                                laneLinks.data());
        } else {
            kernels.clamp(px, py, n * width, BOARD_HALF_WIDTH, BOARD_HALF_HEIGHT);
        }
        for (const Lane& lane : lanes) {
            if (pass >= lane.passes) {
                continue;
            }
            for (std::size_t k = lane.contactsBegin; k < lane.contactsEnd; ++k) {
                FlatContact& contact = contacts[k];  // Contact::resolve
                contact.life -= 1;
                Vec3 point{px[contact.at], py[contact.at], pz[contact.at]};
                if (pushOntoRim(point, contact.centre, contact.radius, contact.radiusSquared)) {
                    contact.life = CONTACT_LIFE;
                    px[contact.at] = point.x;
                    py[contact.at] = point.y;
                    pz[contact.at] = point.z;
                }
            }
            for (std::size_t k = lane.drivesBegin; k < lane.drivesEnd; ++k) {
                const FlatDrive& drive = drives[k];  // LinkDrive::apply
                const Vec3 a{px[drive.a], py[drive.a], pz[drive.a]};
                const Vec3 b{px[drive.b], py[drive.b], pz[drive.b]};
                const Vec3 moved = drivenEnd(a, b, drive.goal);
                px[drive.a] = moved.x;
                py[drive.a] = moved.y;
                pz[drive.a] = moved.z;
            }
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
