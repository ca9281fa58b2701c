#pragma once

#include "tools/asset-gen/Vec3.h"

#include <algorithm>
#include <cmath>
#include <functional>

// A scalar field whose zero set is a closed surface, negative inside. The functions need not be
// exact distances: the surface is found by sign and its normals by gradient.
using Field = std::function<float(Vec3)>;

namespace sdf {

inline float Sphere(Vec3 p, Vec3 centre, float radius) {
    return Length(p - centre) - radius;
}

// A cone from a (radius ra) to b (radius rb) with round ends; nearly exact for slim cones.
inline float RoundCone(Vec3 p, Vec3 a, Vec3 b, float ra, float rb) {
    const Vec3 ab = b - a;
    const float t = std::clamp(Dot(p - a, ab) / Dot(ab, ab), 0.0f, 1.0f);
    return Length(p - (a + ab * t)) - (ra + (rb - ra) * t);
}

inline float Ellipsoid(Vec3 p, Vec3 centre, Vec3 radii) {
    const Vec3 q = p - centre;
    const Vec3 s{q.x / radii.x, q.y / radii.y, q.z / radii.z};
    const float k0 = Length(s);
    const Vec3 s2{s.x / radii.x, s.y / radii.y, s.z / radii.z};
    const float k1 = Length(s2);
    return k1 > 0.0f ? k0 * (k0 - 1.0f) / k1 : -std::min({radii.x, radii.y, radii.z});
}

// Union, intersection and difference blended over a band of width k.
inline float SmoothUnion(float a, float b, float k) {
    const float h = std::max(k - std::fabs(a - b), 0.0f) / k;
    return std::min(a, b) - h * h * k * 0.25f;
}
inline float SmoothIntersect(float a, float b, float k) {
    return -SmoothUnion(-a, -b, k);
}
inline float SmoothSubtract(float a, float cut, float k) {
    return SmoothIntersect(a, -cut, k);
}

// 0 below edge0, 1 above edge1, a smooth S between.
inline float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

} // namespace sdf
