// The batches on x86-64: SSE2's four lanes, which every such processor has, and the eight-lane
// kernels where the processor has AVX. The package targets plain x86-64, so only the AVX
// kernels are compiled for AVX (the pragma comes after every header but the kernels' templates,
// which are instantiated here on a pack of this file only), and the batcher calls them only on
// a processor that has AVX.
#include <immintrin.h>

#include <cstddef>

#include "mechanics/chain_lanes.h"

// GCC takes the target from its pragma; clang (the fuzzing build) ignores that one and takes
// its own, which gives every function declared up to the pop the attribute.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx")
#endif

#include "mechanics/chain_batch_kernels.h"

namespace {
struct AvxPack {
    using Vector = __m256;
    static constexpr std::size_t WIDTH = 8;
    static Vector load(const float* at) { return _mm256_loadu_ps(at); }
    static void store(float* at, Vector v) { _mm256_storeu_ps(at, v); }
    static Vector set1(float value) { return _mm256_set1_ps(value); }
    static Vector add(Vector a, Vector b) { return _mm256_add_ps(a, b); }
    static Vector sub(Vector a, Vector b) { return _mm256_sub_ps(a, b); }
    static Vector mul(Vector a, Vector b) { return _mm256_mul_ps(a, b); }
    static Vector div(Vector a, Vector b) { return _mm256_div_ps(a, b); }
    // vmaxps gives its second operand unless the first is greater: "if (v < limit) v = limit",
    // and a NaN v stays, as in the scalar clamp.
    static Vector keepAbove(Vector limit, Vector v) { return _mm256_max_ps(limit, v); }
    static Vector keepBelow(Vector limit, Vector v) { return _mm256_min_ps(limit, v); }
    static Vector less(Vector a, Vector b) { return _mm256_cmp_ps(a, b, _CMP_LT_OQ); }
    static Vector equal(Vector a, Vector b) { return _mm256_cmp_ps(a, b, _CMP_EQ_OQ); }
    // vblendvps takes its second operand where the mask's sign bit is set, every bit of it.
    static Vector select(Vector mask, Vector a, Vector b) { return _mm256_blendv_ps(b, a, mask); }
};
static_assert(sizeof(AvxPack::Vector) == AvxPack::WIDTH * sizeof(float),
              "an AVX register holds eight floats");

const LaneKernels& avxKernels() {
    static constexpr LaneKernels kernels = laneKernelsOf<AvxPack>();
    return kernels;
}
}  // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

std::size_t widestBatch() {
    // Also false where the operating system does not save the wide registers.
    static const bool avx = __builtin_cpu_supports("avx");
    return avx ? AVX_LANES : SSE2_LANES;
}

const LaneKernels& laneKernels(std::size_t width) {
    return width == AVX_LANES ? avxKernels() : sse2Kernels();
}
