#include "tools/asset-gen/Slit.h"

#include "tools/asset-gen/Clip.h"
#include "tools/asset-gen/Lathe.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kSteps = 18;

float RadiusAt(const std::vector<ProfilePoint>& pts, float y) {
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        if (y >= pts[i].y && y <= pts[i + 1].y && pts[i + 1].y > pts[i].y) {
            const float t = (y - pts[i].y) / (pts[i + 1].y - pts[i].y);
            return pts[i].r + (pts[i + 1].r - pts[i].r) * t;
        }
    }
    return 0.0f;
}

struct SlotFrame {
    Vec3 across; // normal of the walls
    Vec3 along;  // direction of the slot within a wall, upwards
    Vec3 centre;
};

// How far the solid reaches towards -z at the point t along the wall at offset u, minus the
// slot's depth: positive where the wall exists.
float Reach(const std::vector<ProfilePoint>& pts, const SlotFrame& f, float depth, float u,
            float t) {
    const Vec3 p = f.centre + f.across * u + f.along * t;
    const float r = RadiusAt(pts, p.y);
    const float z2 = r * r - p.x * p.x;
    return (z2 > 0.0f ? std::sqrt(z2) : -1.0f) + depth;
}

float Boundary(const std::vector<ProfilePoint>& pts, const SlotFrame& f, float depth, float u,
               float inside, float outside) {
    for (int i = 0; i < 40; ++i) {
        const float mid = 0.5f * (inside + outside);
        (Reach(pts, f, depth, u, mid) > 0.0f ? inside : outside) = mid;
    }
    return inside;
}

Vertex Flat(Vec3 p, Vec3 n, Vec3 uAxis, Vec3 vAxis) {
    return {p, n, Dot(p, uAxis) / kVUnit, Dot(p, vAxis) / kVUnit};
}

// Little light reaches into a narrow cut: its walls and floor are shaded as if turned down, away
// from the lights above, so that the cut reads as a dark line from every view. A normal keeps
// enough of the face's own direction to tell which way the face looks.
Vec3 InTheCut(Vec3 n) {
    const float down = n.y > 0.0f ? std::min(1.5f, 0.8f / n.y) : 1.5f;
    return Normalize(n + Vec3{0.0f, -down, 0.0f});
}

} // namespace

Mesh CutSlit(const Mesh& part, const Profile& outline, const SlitShape& s) {
    const std::vector<ProfilePoint>& pts = outline.Points();
    const SlotFrame f{{std::cos(s.tilt + 1.5707963f), std::sin(s.tilt + 1.5707963f), 0.0f},
                      {std::cos(s.tilt), std::sin(s.tilt), 0.0f},
                      {0.0f, s.centreY, 0.0f}};
    const float half = 0.5f * s.width;
    const float offset = Dot(f.across, f.centre);
    Mesh mesh = KeepInside(part, {{f.across, offset + half}});
    mesh.Append(KeepInside(part, {{-f.across, -(offset - half)}}));
    mesh.Append(KeepInside(
        part,
        {{f.across, offset - half}, {-f.across, -(offset + half)}, {{0.0f, 0.0f, 1.0f}, s.depth}}));

    const Vec3 back{0.0f, 0.0f, -1.0f};
    const float sides[2] = {-half, half};
    Mesh cut;
    std::vector<Vec3> floorEdge[2];
    for (int side = 0; side < 2; ++side) {
        const float u = sides[side];
        const float t0 = Boundary(pts, f, s.depth, u, 0.0f, -10.0f);
        const float t1 = Boundary(pts, f, s.depth, u, 0.0f, 10.0f);
        const Vec3 wallNormal = f.across * (u < 0.0f ? 1.0f : -1.0f);
        for (int i = 0; i <= kSteps; ++i) {
            const float t = t0 + (t1 - t0) * static_cast<float>(i) / static_cast<float>(kSteps);
            Vec3 p = f.centre + f.across * u + f.along * t;
            p.z = s.depth;
            floorEdge[side].push_back(p);
        }
        for (int i = 0; i < kSteps; ++i) {
            const Vec3 a = floorEdge[side][i];
            const Vec3 b = floorEdge[side][i + 1];
            Vec3 aOut = a;
            Vec3 bOut = b;
            aOut.z = s.depth - Reach(pts, f, s.depth, u, Dot(a - f.centre, f.along));
            bOut.z = s.depth - Reach(pts, f, s.depth, u, Dot(b - f.centre, f.along));
            cut.Quad(Flat(a, wallNormal, f.along, back), Flat(b, wallNormal, f.along, back),
                     Flat(bOut, wallNormal, f.along, back), Flat(aOut, wallNormal, f.along, back));
        }
    }
    for (int i = 0; i < kSteps; ++i) {
        cut.Quad(Flat(floorEdge[0][i], back, f.along, f.across),
                 Flat(floorEdge[0][i + 1], back, f.along, f.across),
                 Flat(floorEdge[1][i + 1], back, f.along, f.across),
                 Flat(floorEdge[1][i], back, f.along, f.across));
    }
    mesh.Append(cut.WithNormals(InTheCut));
    return mesh;
}
