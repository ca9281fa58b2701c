#include "tools/asset-gen/Cross.h"
#include "tools/asset-gen/Lathe.h"
#include "tools/asset-gen/Pieces.h"
#include "tools/asset-gen/Staunton.h"

namespace {

constexpr float kCrossBase = 29.6f;
constexpr float kCrossTop = 36.0f;

// A cross pattee in the x-y plane: a square hub and four arms widening outwards.
Mesh PatteeCross() {
    const float hub = 0.5f;
    const float cy = 33.3f;
    const float reach = 2.1f;
    const float tip = 0.95f;
    const std::vector<std::vector<Vec3>> polygons = {
        {{-hub, cy - hub, 0}, {hub, cy - hub, 0}, {hub, cy + hub, 0}, {-hub, cy + hub, 0}},
        {{-hub, cy + hub, 0}, {hub, cy + hub, 0}, {tip, kCrossTop, 0}, {-tip, kCrossTop, 0}},
        {{hub, cy - hub, 0}, {reach, cy - tip, 0}, {reach, cy + tip, 0}, {hub, cy + hub, 0}},
        {{-reach, cy - tip, 0}, {-hub, cy - hub, 0}, {-hub, cy + hub, 0}, {-reach, cy + tip, 0}},
        {{-0.8f, kCrossBase, 0}, {0.8f, kCrossBase, 0}, {hub, cy - hub, 0}, {-hub, cy - hub, 0}},
    };
    return Plate(polygons, 0.95f);
}

} // namespace

Mesh KingMesh() {
    Profile p;
    StauntonBase(p, 1.1f);
    p.Curve(3.8f, 3.4f, 2.5f, 10.0f, 2.15f, 19.0f, 7, false);
    Collar(p, 2.05f, 4.0f, 1.0f);
    p.Smooth(2.05f, 20.4f);
    Collar(p, 1.9f, 3.2f, 0.65f);
    // The crown: a cup flaring out to a rim, then a low dome carrying the cross.
    p.Curve(1.8f, 22.3f, 2.9f, 24.8f, 3.55f, 26.3f, 7, false);
    p.Arc(3.35f, 26.7f, 0.45f, -kPi / 3.0f, kPi / 2.0f, 6, true);
    p.Sharp(3.0f, 27.15f);
    p.Curve(3.0f, 28.2f, 2.0f, 28.9f, 1.1f, 29.2f, 5, true);
    p.Sharp(1.5f, 29.2f);
    p.Arc(1.5f, 29.45f, 0.25f, -kPi / 2.0f, kPi / 2.0f, 4, true);
    p.Sharp(0.0f, 29.7f);
    Mesh mesh = Lathe(p, kLatheSegments);
    mesh.Append(PatteeCross());
    return mesh;
}
