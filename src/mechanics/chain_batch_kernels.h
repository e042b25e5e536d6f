#pragma once

#include <cstddef>

#include "mechanics/chain_lanes.h"

// The relaxation and the board-edge clamp on chains laid side by side: structure of arrays,
// one chain per SIMD lane. Coordinate c of point slot s of lane l is c[s * WIDTH + l], slot s
// being link s's first end in chain order; relaxPass and clamp take lanes of one link count,
// the masked kernels lanes of any counts padded to the longest. Each lane
// sees the same float operations in the same order as Chain::relaxLinks and
// Chain::keepPointsOnBoard, so the results are those of stepping the chains one at a time, bit
// for bit. (The constraint itself is Jakobsen's square-root-free relaxation, Advanced
// Character Physics, GDC 2001.)
//
// Pack supplies WIDTH, a Vector type and load, store, set1, add, sub, mul, div, and
// keepAbove / keepBelow with the clamp's comparison semantics (a NaN stays); for the masked
// kernels also less and equal (all-ones lanes where true) and select(mask, a, b). Each instruction
// set defines its Pack in an anonymous namespace of its own file, so that no instantiation is
// shared between files compiled for different processors.

template <class Pack>
struct BatchKernels {
    using V = typename Pack::Vector;
    static constexpr std::size_t W = Pack::WIDTH;

    // One link: the constraint between (ax, ay, az) and (bx, by, bz) with squared rest length
    // rest, as relaxDistance computes it.
    static void relaxLink(V& ax, V& ay, V& az, V& bx, V& by, V& bz, V rest) {
        V dx = Pack::sub(bx, ax);
        V dy = Pack::sub(by, ay);
        V dz = Pack::sub(bz, az);
        const V squared =
            Pack::add(Pack::add(Pack::mul(dx, dx), Pack::mul(dy, dy)), Pack::mul(dz, dz));
        const V h = Pack::sub(Pack::div(rest, Pack::add(rest, squared)), Pack::set1(0.5f));
        dx = Pack::mul(dx, h);
        dy = Pack::mul(dy, h);
        dz = Pack::mul(dz, h);
        ax = Pack::sub(ax, dx);
        ay = Pack::sub(ay, dy);
        az = Pack::sub(az, dz);
        bx = Pack::add(bx, dx);
        by = Pack::add(by, dy);
        bz = Pack::add(bz, dz);
    }

    static void store3(float* x, float* y, float* z, std::size_t at, V vx, V vy, V vz) {
        Pack::store(x + at, vx);
        Pack::store(y + at, vy);
        Pack::store(z + at, vz);
    }

    // One pass over n links (n >= 1): even passes from the last link to the first, odd ones
    // from the first to the last. The shared end is carried in registers, as in relaxLinks;
    // both ends are stored after every link.
    static void relaxPass(float* x, float* y, float* z, const float* rest, std::size_t n,
                          int pass) {
        V cx = Pack::load(x);
        V cy = Pack::load(y);
        V cz = Pack::load(z);
        if (pass % 2 == 0) {
            for (std::size_t s = n; s-- > 0;) {
                const std::size_t at = s * W;
                const std::size_t next = s + 1 == n ? 0 : at + W;
                V ax = Pack::load(x + at);
                V ay = Pack::load(y + at);
                V az = Pack::load(z + at);
                relaxLink(ax, ay, az, cx, cy, cz, Pack::load(rest + at));
                store3(x, y, z, at, ax, ay, az);
                store3(x, y, z, next, cx, cy, cz);
                cx = ax;
                cy = ay;
                cz = az;
            }
        } else {
            for (std::size_t s = 0; s < n; ++s) {
                const std::size_t at = s * W;
                const std::size_t next = s + 1 == n ? 0 : at + W;
                V bx = Pack::load(x + next);
                V by = Pack::load(y + next);
                V bz = Pack::load(z + next);
                relaxLink(cx, cy, cz, bx, by, bz, Pack::load(rest + at));
                store3(x, y, z, at, cx, cy, cz);
                store3(x, y, z, next, bx, by, bz);
                cx = bx;
                cy = by;
                cz = bz;
            }
        }
    }

    // One point in every lane, for the masked kernel.
    struct Lanes3 {
        V x, y, z;
    };
    static Lanes3 load3(const float* x, const float* y, const float* z, std::size_t at) {
        return {Pack::load(x + at), Pack::load(y + at), Pack::load(z + at)};
    }
    static void store3(float* x, float* y, float* z, std::size_t at, const Lanes3& v) {
        store3(x, y, z, at, v.x, v.y, v.z);
    }
    template <class Mask>
    static Lanes3 pick(Mask mask, const Lanes3& a, const Lanes3& b) {
        return {Pack::select(mask, a.x, b.x), Pack::select(mask, a.y, b.y),
                Pack::select(mask, a.z, b.z)};
    }
    // relaxLink on copies, kept only in the active lanes: the others keep a and b as they were.
    template <class Mask>
    static void relaxWhere(Mask active, Lanes3& a, Lanes3& b, V rest) {
        Lanes3 ra = a;
        Lanes3 rb = b;
        relaxLink(ra.x, ra.y, ra.z, rb.x, rb.y, rb.z, rest);
        a = pick(active, ra, a);
        b = pick(active, rb, b);
    }

    // relaxPass for lanes of different lengths, padded to n slots. links[l] is the number of
    // links lane l relaxes in this pass: its own link count, or 0 when the lane has run all of
    // its passes. A lane's link links[l] - 1 closes its loop onto slot 0, not onto the next
    // (padding) slot, so slot 0's value is carried in a register (first) from the start of the
    // pass to its end. Every result is chosen per lane with select, never scaled by a mask: a
    // lane that does not relax a link keeps its floats exactly, and one that does sees the
    // operations of relaxPass on its own chain in the same order. Padding slots are scratch.
    static void relaxPassMasked(float* x, float* y, float* z, const float* rest, std::size_t n,
                                int pass, const float* links) {
        const V count = Pack::load(links);
        Lanes3 first = load3(x, y, z, 0);
        Lanes3 carried = first;
        if (pass % 2 == 0) {
            for (std::size_t s = n; s-- > 0;) {
                const std::size_t at = s * W;
                const auto active = Pack::less(Pack::set1(static_cast<float>(s)), count);
                const auto wrap = Pack::equal(Pack::set1(static_cast<float>(s + 1)), count);
                // Slot 0 is read from the register: its value after the wrapping link.
                Lanes3 a = s == 0 ? first : load3(x, y, z, at);
                Lanes3 b = pick(wrap, first, carried);
                relaxWhere(active, a, b, Pack::load(rest + at));
                if (s + 1 < n) {
                    store3(x, y, z, at + W, b);
                }
                if (s == 0) {
                    // A one-link loop's link ends on its own start: its second end is stored last.
                    first = pick(wrap, b, a);
                } else {
                    first = pick(wrap, b, first);
                    store3(x, y, z, at, a);
                }
                carried = a;
            }
        } else {
            for (std::size_t s = 0; s < n; ++s) {
                const std::size_t at = s * W;
                const auto active = Pack::less(Pack::set1(static_cast<float>(s)), count);
                const auto wrap = Pack::equal(Pack::set1(static_cast<float>(s + 1)), count);
                const bool last = s + 1 == n;
                const Lanes3 loaded = last ? first : load3(x, y, z, at + W);
                Lanes3 a = carried;
                Lanes3 b = pick(wrap, first, loaded);
                relaxWhere(active, a, b, Pack::load(rest + at));
                if (s == 0) {
                    first = a;
                } else {
                    store3(x, y, z, at, a);
                }
                if (!last) {
                    store3(x, y, z, at + W, b);
                }
                first = pick(wrap, b, first);
                // A lane past its last link carries its next slot's own value, so that the
                // store above leaves that slot as it was.
                carried = pick(active, b, loaded);
            }
        }
        store3(x, y, z, 0, first);
    }

    // clamp, for the lanes whose links[l] is not 0: a lane that has run all its passes keeps
    // its points where its last pass left them.
    static void clampMasked(float* x, float* y, std::size_t count, float halfWidth,
                            float halfHeight, const float* links) {
        const auto runs = Pack::less(Pack::set1(0.0f), Pack::load(links));
        const V left = Pack::set1(-halfWidth);
        const V right = Pack::set1(halfWidth);
        const V bottom = Pack::set1(-halfHeight);
        const V top = Pack::set1(halfHeight);
        for (std::size_t i = 0; i < count; i += W) {
            const V vx = Pack::load(x + i);
            const V vy = Pack::load(y + i);
            Pack::store(x + i,
                        Pack::select(runs, Pack::keepBelow(right, Pack::keepAbove(left, vx)), vx));
            Pack::store(y + i,
                        Pack::select(runs, Pack::keepBelow(top, Pack::keepAbove(bottom, vy)), vy));
        }
    }

    // x into [-halfWidth, halfWidth], then y into [-halfHeight, halfHeight], for count floats
    // (a multiple of WIDTH); z is left alone.
    static void clamp(float* x, float* y, std::size_t count, float halfWidth, float halfHeight) {
        const V left = Pack::set1(-halfWidth);
        const V right = Pack::set1(halfWidth);
        const V bottom = Pack::set1(-halfHeight);
        const V top = Pack::set1(halfHeight);
        for (std::size_t i = 0; i < count; i += W) {
            Pack::store(x + i, Pack::keepBelow(right, Pack::keepAbove(left, Pack::load(x + i))));
            Pack::store(y + i, Pack::keepBelow(top, Pack::keepAbove(bottom, Pack::load(y + i))));
        }
    }
};

// One instruction set's kernels, as the batcher calls them.
template <class Pack>
constexpr LaneKernels laneKernelsOf() {
    return {BatchKernels<Pack>::relaxPass, BatchKernels<Pack>::clamp,
            BatchKernels<Pack>::relaxPassMasked, BatchKernels<Pack>::clampMasked};
}
