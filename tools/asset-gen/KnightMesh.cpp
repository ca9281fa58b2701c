#include "tools/asset-gen/Decimate.h"
#include "tools/asset-gen/Lathe.h"
#include "tools/asset-gen/Outline.h"
#include "tools/asset-gen/Pieces.h"
#include "tools/asset-gen/Staunton.h"

#include <cmath>

// The knight: a horse's head and neck carved as one field (side silhouette rounded off into a
// body, with cheeks, ears, eyes, nostrils, mouth and mane), looking towards -x, on a turned base.

namespace {

using sdf::SmoothStep;
using sdf::SmoothSubtract;
using sdf::SmoothUnion;

constexpr float kFoot = 2.9f;     // the carving ends inside the base's top
constexpr float kRounding = 2.3f; // how far in from the silhouette the sides are rounded
constexpr int kHeadTriangles = 1200;
constexpr float kShift = 0.55f;

// Side view of head and neck, anticlockwise from the chest.
const Outline& Silhouette() {
    static const Outline outline(
        {{-3.6f, 3.0f},   {-4.3f, 5.5f},  {-4.5f, 7.8f},  {-4.1f, 9.8f},  {-3.0f, 11.3f},
         {-3.3f, 12.4f},  {-4.3f, 12.9f}, {-5.6f, 13.1f}, {-6.6f, 13.3f}, {-7.2f, 13.8f},
         {-7.35f, 14.7f}, {-7.2f, 15.7f}, {-6.7f, 16.4f}, {-5.5f, 17.5f}, {-4.3f, 18.9f},
         {-3.2f, 20.5f},  {-2.3f, 21.8f}, {-1.1f, 22.8f}, {0.3f, 23.2f},  {1.5f, 22.9f},
         {2.6f, 22.1f},   {3.8f, 20.3f},  {4.6f, 17.6f},  {5.0f, 14.5f},  {5.2f, 11.5f},
         {5.25f, 8.5f},   {5.15f, 5.8f},  {4.85f, 3.0f},  {0.6f, 2.6f}},
        8);
    return outline;
}

// Half the thickness across (z) where the body is not rounded off.
float HalfWidth(float x, float y) {
    float w = 2.9f + (2.25f - 2.9f) * SmoothStep(4.0f, 13.0f, y);
    w += 0.15f * SmoothStep(13.0f, 16.0f, y);
    w -= 0.7f * SmoothStep(-3.5f, -6.8f, x) * SmoothStep(11.5f, 13.0f, y);
    return w;
}

// How far the body reaches in z at (x, y): the full half width inside, falling off round
// towards the silhouette.
float SurfaceZ(float x, float y, float inset) {
    const float e = std::clamp(-inset / kRounding, 0.0f, 1.0f);
    return HalfWidth(x, y) * std::sqrt(e * (2.0f - e));
}

float Body(Vec3 p) {
    const float d = Silhouette().Distance(p.x, p.y);
    return std::max(d, std::fabs(p.z) - SurfaceZ(p.x, p.y, d));
}

// An ellipsoid with its first axis along the unit vector `along` in the x-y plane.
float TiltedEllipsoid(Vec3 p, Vec3 centre, Vec3 along, Vec3 radii) {
    const Vec3 q = p - centre;
    const Vec3 local{Dot(q, along), Dot(q, Vec3{-along.y, along.x, 0.0f}), q.z};
    return sdf::Ellipsoid(local, Vec3{}, radii);
}

float Mane(Vec3 p) {
    // Tufts along the back of the neck, each a lobe pointing down and back; the notches between
    // them are the grooves of the carved mane.
    static const Vec3 line[] = {{0.6f, 23.1f, 0.0f}, {2.5f, 22.2f, 0.0f}, {3.8f, 20.3f, 0.0f},
                                {4.6f, 17.6f, 0.0f}, {5.0f, 14.5f, 0.0f}, {5.2f, 11.5f, 0.0f},
                                {5.25f, 8.5f, 0.0f}};
    constexpr int kSpans = 6;
    constexpr int kPerSpan = 2;
    float d = 1e30f;
    for (int s = 0; s < kSpans; ++s) {
        const Vec3 dir = Normalize(line[s + 1] - line[s]);
        for (int k = 0; k < kPerSpan; ++k) {
            const float t = (static_cast<float>(k) + 0.5f) / kPerSpan;
            const Vec3 c = Lerp(line[s], line[s + 1], t) + Vec3{-dir.y, dir.x, 0.0f} * -0.3f;
            const float width = 1.0f + 0.05f * static_cast<float>(s);
            d = std::min(d, TiltedEllipsoid(p, c, dir, {1.45f, 0.9f, width}));
        }
    }
    return d;
}

float Horse(Vec3 p) {
    // The carving is drawn with the muzzle at -7.35; it is shifted back so that nothing passes
    // the rim of the base.
    p.x -= kShift;
    float f = Body(p);
    // Round cheeks (the jowl) and a rounded muzzle.
    f = SmoothUnion(f, sdf::Ellipsoid(p, {-1.3f, 16.2f, 0.0f}, {2.7f, 2.6f, 2.75f}), 1.0f);
    f = SmoothUnion(f, sdf::Ellipsoid(p, {-6.2f, 15.0f, 0.0f}, {1.5f, 1.6f, 1.55f}), 0.8f);
    f = SmoothUnion(f, Mane(p), 0.35f);
    // Ears, pricked and slightly apart.
    for (float side : {-1.0f, 1.0f}) {
        const Vec3 base{-0.1f, 22.3f, side * 1.0f};
        const Vec3 flat{base.x + (p.x - base.x) * 1.5f, p.y, p.z};
        const float ear =
            sdf::RoundCone(flat, base, {0.3f, 25.35f, side * 0.85f}, 0.85f, 0.1f) / 1.5f;
        f = SmoothUnion(f, ear, 0.45f);
    }
    // Eyes: a socket with the eyeball in it.
    for (float side : {-1.0f, 1.0f}) {
        const float ex = -2.0f;
        const float ey = 19.7f;
        const float ez = SurfaceZ(ex, ey, Silhouette().Distance(ex, ey));
        f = SmoothSubtract(f, sdf::Sphere(p, {ex, ey, side * (ez + 0.35f)}, 0.85f), 0.25f);
        f = SmoothUnion(f, sdf::Sphere(p, {ex, ey, side * (ez - 0.2f)}, 0.55f), 0.1f);
        f = SmoothUnion(
            f, sdf::Ellipsoid(p, {ex + 0.3f, ey + 0.75f, side * (ez - 0.2f)}, {0.9f, 0.35f, 0.45f}),
            0.3f);
    }
    // Nostrils and the mouth.
    for (float side : {-1.0f, 1.0f}) {
        f = SmoothSubtract(
            f, sdf::Ellipsoid(p, {-7.25f, 15.35f, side * 0.75f}, {0.4f, 0.5f, 0.35f}), 0.15f);
    }
    const Vec3 m0{-7.9f, 14.0f, 0.0f};
    const Vec3 m1{-5.5f, 14.35f, 0.0f};
    const float mouth = sdf::RoundCone(Vec3{p.x, p.y, 0.0f}, m0, m1, 0.14f, 0.1f);
    f = SmoothSubtract(f, mouth, 0.12f);
    return std::max(f, kFoot - p.y);
}

Mesh Head() {
    IndexedMesh head = SurfaceNets(Horse, {-7.9f, kFoot - 0.5f, -4.0f}, {7.3f, 26.3f, 4.0f}, 0.12f);
    Decimate(head, kHeadTriangles);
    Mesh mesh;
    std::vector<Vertex> vertices;
    for (Vec3 p : head.positions) {
        p = ProjectOnto(Horse, p);
        vertices.push_back({p, FieldNormal(Horse, p), (p.x - p.z) / kVUnit, p.y / kVUnit});
    }
    for (const auto& t : head.triangles) {
        mesh.Triangle(vertices[t[0]], vertices[t[1]], vertices[t[2]]);
    }
    return mesh;
}

} // namespace

Mesh KnightMesh() {
    Profile p;
    StauntonBase(p, 0.95f);
    // A plinth wide enough to carry the whole foot of the neck.
    p.Curve(5.1f, 2.6f, 5.7f, 2.75f, 5.7f, 3.15f, 3, false);
    p.Arc(5.4f, 3.15f, 0.3f, 0.0f, kPi / 2.0f, 3, false);
    p.Crease();
    p.Sharp(0.0f, 3.45f);
    Mesh mesh = Lathe(p, kLatheSegments);
    mesh.Append(Head());
    return mesh;
}
