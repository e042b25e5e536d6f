// The four-lane kernels: SSE2 is part of every x86-64 processor, and emscripten maps these
// intrinsics onto wasm's 128-bit SIMD one for one (its maxps and minps keep x86's choice of
// operand, so NaNs and signed zeros come out as here). Without SSE2 enabled (-msse2 and
// -msimd128 for emscripten) the header refuses to compile: the browser's chain step never falls
// back to one chain at a time unnoticed.
#include <emmintrin.h>

#include "mechanics/chain_batch_kernels.h"

namespace {
struct Sse2Pack {
    using Vector = __m128;
    static constexpr std::size_t WIDTH = 4;
    static Vector load(const float* at) { return _mm_loadu_ps(at); }
    static void store(float* at, Vector v) { _mm_storeu_ps(at, v); }
    static Vector set1(float value) { return _mm_set1_ps(value); }
    static Vector add(Vector a, Vector b) { return _mm_add_ps(a, b); }
    static Vector sub(Vector a, Vector b) { return _mm_sub_ps(a, b); }
    static Vector mul(Vector a, Vector b) { return _mm_mul_ps(a, b); }
    static Vector div(Vector a, Vector b) { return _mm_div_ps(a, b); }
    // maxps gives its second operand unless the first is greater: "if (v < limit) v = limit",
    // and a NaN v stays, as in the scalar clamp.
    static Vector keepAbove(Vector limit, Vector v) { return _mm_max_ps(limit, v); }
    static Vector keepBelow(Vector limit, Vector v) { return _mm_min_ps(limit, v); }
    static Vector less(Vector a, Vector b) { return _mm_cmplt_ps(a, b); }
    static Vector equal(Vector a, Vector b) { return _mm_cmpeq_ps(a, b); }
    // Bitwise, so that a chosen float keeps its every bit (signed zeros and NaNs too).
    static Vector select(Vector mask, Vector a, Vector b) {
        return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
    }
};
static_assert(sizeof(Sse2Pack::Vector) == Sse2Pack::WIDTH * sizeof(float),
              "an SSE register holds four floats");
}  // namespace

const LaneKernels& sse2Kernels() {
    static constexpr LaneKernels kernels = laneKernelsOf<Sse2Pack>();
    return kernels;
}
