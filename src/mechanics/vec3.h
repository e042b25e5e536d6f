#pragma once

#include <cmath>
#include <type_traits>

// A point or direction on the board, in board units (origin at the window centre, x right,
// y up). Everything that moves lies in the plane z = 0, but z is carried through every
// operation so that the arithmetic matches the original three-component formulas exactly.
// All arithmetic is in 32-bit floats: the chain's behaviour depends on float rounding.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// The hot loops treat arrays of Vec3 as packed floats.
static_assert(sizeof(Vec3) == 3 * sizeof(float), "Vec3 must be three packed floats");
static_assert(std::is_trivially_copyable<Vec3>::value, "Vec3 must be a plain value");

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline Vec3 operator/(Vec3 a, float s) {
    return {a.x / s, a.y / s, a.z / s};
}
inline Vec3 operator-(Vec3 a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3& operator+=(Vec3& a, Vec3 b) {
    return a = a + b;
}
inline Vec3& operator-=(Vec3& a, Vec3 b) {
    return a = a - b;
}
inline bool operator==(Vec3 a, Vec3 b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline bool operator!=(Vec3 a, Vec3 b) {
    return !(a == b);
}

inline float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline float lengthSquared(Vec3 v) {
    return dot(v, v);
}
inline float length(Vec3 v) {
    return std::sqrt(lengthSquared(v));
}
inline float distanceSquared(Vec3 a, Vec3 b) {
    return lengthSquared(a - b);
}

// The unit vector along v; the zero vector stays zero (callers rely on that: a point at a
// gear's centre is left there, a gear dropped on another's centre lands on it).
inline Vec3 normalize(Vec3 v) {
    const float squared = lengthSquared(v);
    if (squared > 0.0f) {
        const float len = std::sqrt(squared);
        return {v.x / len, v.y / len, v.z / len};
    }
    return v;
}

inline Vec3 cross(Vec3 u, Vec3 v) {
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}

// Squared distance of q from the infinite line through p1 and p2:
// |(p2 - p1) x (p1 - q)|^2 / |p2 - p1|^2.
inline float lineDistanceSquared(Vec3 q, Vec3 p1, Vec3 p2) {
    const Vec3 direction = p2 - p1;
    return lengthSquared(cross(direction, p1 - q)) / lengthSquared(direction);
}

// Squared distance of q from the segment p1..p2. A segment whose ends coincide yields NaN
// (0/0 from the line formula); every caller compares the result with '<', which treats NaN
// as "not near".
inline float segmentDistanceSquared(Vec3 q, Vec3 p1, Vec3 p2) {
    if (dot(q - p1, p2 - p1) < 0.0f) {
        return lengthSquared(q - p1);
    }
    if (dot(q - p2, p1 - p2) < 0.0f) {
        return lengthSquared(q - p2);
    }
    return lineDistanceSquared(q, p1, p2);
}
