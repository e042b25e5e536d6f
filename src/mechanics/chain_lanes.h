#pragma once

#include <cstddef>

// The SIMD kernels a batch of chains runs on (chain_batch_kernels.h), one set for each
// instruction set, each made in the file compiled for it. The platform's file says which the
// processor running the game has: chain_lanes.cpp on x86-64 (SSE2's four lanes always, AVX's
// eight where the processor has it), chain_lanes_web.cpp in the browser (SSE2's intrinsics,
// which emscripten maps onto wasm's 128-bit SIMD).
struct LaneKernels {
    void (*relaxPass)(float* x, float* y, float* z, const float* rest, std::size_t n, int pass);
    void (*clamp)(float* x, float* y, std::size_t count, float halfWidth, float halfHeight);
    // Null where batches always hold chains of one length (the one-lane loop).
    void (*relaxPassMasked)(float* x, float* y, float* z, const float* rest, std::size_t n,
                            int pass, const float* links);
    void (*clampMasked)(float* x, float* y, std::size_t count, float halfWidth, float halfHeight,
                        const float* links);
};

constexpr std::size_t SSE2_LANES = 4;
constexpr std::size_t AVX_LANES = 8;

// The four-lane kernels (chain_batch_sse2.cpp).
const LaneKernels& sse2Kernels();

// The widest batch the processor running this has.
std::size_t widestBatch();
// The kernels for a batch of SSE2_LANES or AVX_LANES lanes, not wider than widestBatch().
const LaneKernels& laneKernels(std::size_t width);
