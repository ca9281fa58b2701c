#include "gfx3d/BoardArrow.h"

#include "gfx3d/BoardGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using SPoint = std::array<float, 2>;

constexpr float kShaftHalfWidth = 3.2f;
constexpr float kHeadHalfWidth = 8.0f;
constexpr float kHeadLength = 11.0f;

SPoint Centre(int file, int rank) {
    return {kSquareSize * (static_cast<float>(file) + 0.5f),
            -kSquareSize * (static_cast<float>(rank) + 0.5f)};
}

// A quad along a -> b, `half` to each side, as two triangles.
void AddBand(std::vector<SPoint>& out, SPoint a, SPoint b, float half) {
    const float dx = b[0] - a[0];
    const float dz = b[1] - a[1];
    const float length = std::hypot(dx, dz);
    if (length <= 0.0f) {
        return;
    }
    const float nx = -dz / length * half;
    const float nz = dx / length * half;
    const SPoint a1{a[0] + nx, a[1] + nz}, a2{a[0] - nx, a[1] - nz};
    const SPoint b1{b[0] + nx, b[1] + nz}, b2{b[0] - nx, b[1] - nz};
    out.insert(out.end(), {a1, b1, b2, a1, b2, a2});
}

// Moves `from` towards `to` by `distance`.
SPoint Towards(SPoint from, SPoint to, float distance) {
    const float length = std::hypot(to[0] - from[0], to[1] - from[1]);
    const float t = length > 0.0f ? distance / length : 0.0f;
    return {from[0] + (to[0] - from[0]) * t, from[1] + (to[1] - from[1]) * t};
}

} // namespace

std::vector<std::array<float, 2>> BoardArrowTriangles(int fromFile, int fromRank, int toFile,
                                                      int toRank) {
    std::vector<SPoint> out;
    const SPoint from = Centre(fromFile, fromRank);
    const SPoint to = Centre(toFile, toRank);
    const int df = std::abs(toFile - fromFile);
    const int dr = std::abs(toRank - fromRank);
    SPoint last = from; // where the last straight stretch starts
    if ((df == 1 && dr == 2) || (df == 2 && dr == 1)) {
        const SPoint corner = df == 2 ? SPoint{to[0], from[1]} : SPoint{from[0], to[1]};
        // The first stretch covers the joint's square; the second starts past it.
        const SPoint beyond = Towards(corner, from, -kShaftHalfWidth);
        AddBand(out, from, beyond, kShaftHalfWidth);
        last = Towards(corner, to, kShaftHalfWidth);
    }
    const float length = std::hypot(to[0] - last[0], to[1] - last[1]);
    const SPoint headBase = Towards(last, to, std::max(0.0f, length - kHeadLength));
    AddBand(out, last, headBase, kShaftHalfWidth);
    const float dx = to[0] - headBase[0];
    const float dz = to[1] - headBase[1];
    const float headLength = std::hypot(dx, dz);
    if (headLength > 0.0f) {
        const float nx = -dz / headLength * kHeadHalfWidth;
        const float nz = dx / headLength * kHeadHalfWidth;
        out.insert(out.end(), {SPoint{headBase[0] + nx, headBase[1] + nz}, to,
                               SPoint{headBase[0] - nx, headBase[1] - nz}});
    }
    return out;
}
