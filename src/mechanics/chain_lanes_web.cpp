// The batches in the browser: four lanes on SSE2's intrinsics, which emscripten maps onto wasm's
// 128-bit SIMD (chain_batch_sse2.cpp, compiled with -msse2 -msimd128). There is no wider set.
#include "mechanics/chain_lanes.h"

std::size_t widestBatch() {
    return SSE2_LANES;
}

const LaneKernels& laneKernels(std::size_t) {
    return sse2Kernels();
}
