#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "mechanics/board_lists.h"
#include "mechanics/vec3.h"

class Point;

// Runs the relaxation passes of many chains side by side (Chain::runPasses for each, with the
// same floats, bit for bit). A pass of one chain hands each link's result to the next link, so
// a chain alone waits on a dependent division per link; but nothing in a pass reaches another
// chain (its pins, clamp, contacts and drives are its own), so chains run one per SIMD lane:
// eight with AVX where the processor has it, four with SSE2. Chains of different lengths share
// a batch padded to its longest chain and its most passes, each lane masked where it has no
// link or no pass left; which chains go together is chosen each frame from a cost estimate
// (planBatches). The board keeps one batcher, so that its storage serves every frame without
// allocating.
class ChainBatcher {
  public:
    // Every chain's passes, between its beginStep and its endStep.
    void runPasses(const ChainList& chains);

  private:
    struct FlatContact {
        std::size_t at;  // index of its point in the coordinate arrays
        int life;
        Vec3 centre;
        float radius;
        float radiusSquared;
    };
    struct FlatDrive {
        std::size_t a;  // the link's first end
        std::size_t b;  // and its second
        Vec3 goal;
    };
    struct Lane {
        Chain* chain;
        std::size_t links;  // its own link count, at most the batch's
        int passes;         // its own pass count, at most the batch's
        std::size_t contactsBegin, contactsEnd;
        std::size_t drivesBegin, drivesEnd;
        std::size_t grabbed;  // index of the pinned point, or NONE
        Vec3 grabTarget;
    };
    static constexpr std::size_t NONE = static_cast<std::size_t>(-1);

    // Splits grouped (sorted by link count) into batches, each ending before its batchEnds.
    void planBatches();
    void runBatch(Chain* const* chains, std::size_t count, std::size_t width);
    void load(std::size_t width, std::size_t n);
    void passes(std::size_t width, std::size_t n, int count, bool masked);
    void store(std::size_t width);
    std::size_t indexOf(const Point* point, std::size_t lane, std::size_t width) const;

    std::vector<Chain*> grouped;  // by link count
    std::vector<std::size_t> batchEnds;
    std::vector<double> planCost;       // planBatches' cheapest cost of the first i chains
    std::vector<std::size_t> planTake;  // and the size of the last batch that gives it
    std::vector<Lane> lanes;
    std::vector<float> laneLinks;  // each lane's links in the current pass, 0 when done
    std::vector<float> x, y, z, rest;
    std::vector<FlatContact> contacts;
    std::vector<FlatDrive> drives;
    // Each lane's points by address with their slots, for finding a contact's point.
    std::vector<std::pair<const Point*, std::size_t>> slots;
    std::size_t slotsPerLane = 0;
};
