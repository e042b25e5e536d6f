#pragma once

#include <cstddef>

// The relaxation and the board-edge clamp on chains laid side by side: structure of arrays,
// one chain per SIMD lane. Coordinate c of point slot s of lane l is c[s * WIDTH + l], slot s
// being link s's first end in chain order; every lane has the same number of links. Each lane
// sees the same float operations in the same order as Chain::relaxLinks and
// Chain::keepPointsOnBoard, so the results are those of stepping the chains one at a time, bit
// for bit. (The constraint itself is Jakobsen's square-root-free relaxation, Advanced
// Character Physics, GDC 2001.)
//
// Pack supplies WIDTH, a Vector type and load, store, set1, add, sub, mul, div, and
// keepAbove / keepBelow with the clamp's comparison semantics (a NaN stays). Each instruction
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
