#include "tools/asset-gen/Cross.h"
#include "tools/asset-gen/Lathe.h"
#include "tools/asset-gen/Pieces.h"
#include "tools/asset-gen/Staunton.h"

namespace {

// The cross stands a head above the queen's crown, large enough to read as a cross on the far
// rank of the default view.
constexpr float kCrossBase = 32.0f;
constexpr float kCrossTop = 40.5f;

// A cross pattee in the x-y plane: a square hub and four arms widening outwards.
Mesh PatteeCross() {
    const float hub = 0.7f;
    const float cy = 37.0f;
    const float reach = 2.8f;
    const float tip = 1.25f;
    const std::vector<std::vector<Vec3>> polygons = {
        {{-hub, cy - hub, 0}, {hub, cy - hub, 0}, {hub, cy + hub, 0}, {-hub, cy + hub, 0}},
        {{-hub, cy + hub, 0}, {hub, cy + hub, 0}, {tip, kCrossTop, 0}, {-tip, kCrossTop, 0}},
        {{hub, cy - hub, 0}, {reach, cy - tip, 0}, {reach, cy + tip, 0}, {hub, cy + hub, 0}},
        {{-reach, cy - tip, 0}, {-hub, cy - hub, 0}, {-hub, cy + hub, 0}, {-reach, cy + tip, 0}},
        {{-0.95f, kCrossBase, 0}, {0.95f, kCrossBase, 0}, {hub, cy - hub, 0}, {-hub, cy - hub, 0}},
    };
    return Plate(polygons, 1.3f);
}

} // namespace

Mesh KingMesh() {
    Profile p;
    StauntonBase(p, 1.1f);
    p.Curve(3.8f, 3.6f, 2.5f, 10.8f, 2.15f, 20.6f, 7, false);
    Collar(p, 2.05f, 4.1f, 1.0f);
    p.Smooth(2.05f, 22.0f);
    Collar(p, 1.9f, 3.3f, 0.65f);
    // The crown: a cup flaring out to a rim, then a low dome carrying the cross.
    p.Curve(1.8f, 24.1f, 3.0f, 26.8f, 3.75f, 28.5f, 7, false);
    p.Arc(3.55f, 28.9f, 0.45f, -kPi / 3.0f, kPi / 2.0f, 6, true);
    p.Sharp(3.2f, 29.35f);
    p.Curve(3.2f, 30.5f, 2.1f, 31.3f, 1.2f, 31.6f, 5, true);
    p.Sharp(1.6f, 31.6f);
    p.Arc(1.6f, 31.85f, 0.25f, -kPi / 2.0f, kPi / 2.0f, 4, true);
    p.Sharp(0.0f, 32.1f);
    Mesh mesh = Lathe(p, kLatheSegments);
    mesh.Append(PatteeCross());
    return mesh;
}
