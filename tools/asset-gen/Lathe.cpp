#include "tools/asset-gen/Lathe.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr float kPi = 3.14159265358979f;

struct Normal2 {
    float r;
    float y;
};

Normal2 Unit(float r, float y) {
    const float len = std::sqrt(r * r + y * y);
    return len > 0.0f ? Normal2{r / len, y / len} : Normal2{0.0f, 1.0f};
}

// Outward normal of the profile segment a -> b: the tangent turned clockwise.
Normal2 SegmentNormal(const ProfilePoint& a, const ProfilePoint& b) {
    return Unit(b.y - a.y, -(b.r - a.r));
}

Vertex RingVertex(const ProfilePoint& p, Normal2 n, float angle, float u, float v) {
    // Angle 0 lies at -z, the back of the piece as the viewer places it.
    const float s = std::sin(angle);
    const float c = std::cos(angle);
    if (p.r <= 0.0f) {
        n = {0.0f, n.y >= 0.0f ? 1.0f : -1.0f};
    }
    return {{p.r * s, p.y, -p.r * c}, {n.r * s, n.y, -n.r * c}, u, v};
}

float DistanceToSegment(const ProfilePoint& p, const ProfilePoint& a, const ProfilePoint& b) {
    const float dr = b.r - a.r;
    const float dy = b.y - a.y;
    const float length2 = dr * dr + dy * dy;
    float t = length2 > 0.0f ? ((p.r - a.r) * dr + (p.y - a.y) * dy) / length2 : 0.0f;
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    const float er = a.r + t * dr - p.r;
    const float ey = a.y + t * dy - p.y;
    return std::sqrt(er * er + ey * ey);
}

// The profile's ends and creases, and between them only the points that keep the outline
// within kProfileTolerance of the full profile (Douglas-Peucker).
std::vector<ProfilePoint> Simplified(const std::vector<ProfilePoint>& pts) {
    std::vector<bool> keep(pts.size(), false);
    keep.front() = true;
    keep.back() = true;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        keep[i] = keep[i] || pts[i].crease;
    }
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    for (std::size_t a = 0, b = 1; b < pts.size(); ++b) {
        if (keep[b]) {
            spans.emplace_back(a, b);
            a = b;
        }
    }
    while (!spans.empty()) {
        const auto [a, b] = spans.back();
        spans.pop_back();
        std::size_t farthest = a;
        float distance = 0.0f;
        for (std::size_t i = a + 1; i < b; ++i) {
            const float d = DistanceToSegment(pts[i], pts[a], pts[b]);
            if (d > distance) {
                distance = d;
                farthest = i;
            }
        }
        if (distance > kProfileTolerance) {
            keep[farthest] = true;
            spans.emplace_back(a, farthest);
            spans.emplace_back(farthest, b);
        }
    }
    std::vector<ProfilePoint> kept;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        if (keep[i]) {
            kept.push_back(pts[i]);
        }
    }
    return kept;
}

} // namespace

Mesh Lathe(const Profile& profile, int segments, float vStart) {
    const std::vector<ProfilePoint> pts = Simplified(profile.Points());
    const std::size_t count = pts.size();
    std::vector<Normal2> seg(count - 1);
    std::vector<float> arc(count, vStart);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        seg[i] = SegmentNormal(pts[i], pts[i + 1]);
        const float dr = pts[i + 1].r - pts[i].r;
        const float dy = pts[i + 1].y - pts[i].y;
        arc[i + 1] = arc[i] + std::sqrt(dr * dr + dy * dy) / kVUnit;
    }
    Mesh mesh;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const ProfilePoint& a = pts[i];
        const ProfilePoint& b = pts[i + 1];
        const Normal2 na =
            (a.crease || i == 0) ? seg[i] : Unit(seg[i - 1].r + seg[i].r, seg[i - 1].y + seg[i].y);
        const Normal2 nb = (b.crease || i + 2 == count)
                               ? seg[i]
                               : Unit(seg[i].r + seg[i + 1].r, seg[i].y + seg[i + 1].y);
        for (int k = 0; k < segments; ++k) {
            const float t0 = static_cast<float>(k) / static_cast<float>(segments);
            const float t1 = static_cast<float>(k + 1) / static_cast<float>(segments);
            const float a0 = 2.0f * kPi * t0;
            const float a1 = k + 1 == segments ? 0.0f : 2.0f * kPi * t1;
            const Vertex v00 = RingVertex(a, na, a0, kTurnPeriods * t0, arc[i]);
            const Vertex v01 = RingVertex(a, na, a1, kTurnPeriods * t1, arc[i]);
            const Vertex v10 = RingVertex(b, nb, a0, kTurnPeriods * t0, arc[i + 1]);
            const Vertex v11 = RingVertex(b, nb, a1, kTurnPeriods * t1, arc[i + 1]);
            if (a.r <= 0.0f) {
                mesh.Triangle(v00, v11, v10);
            } else if (b.r <= 0.0f) {
                mesh.Triangle(v00, v01, v10);
            } else {
                mesh.Quad(v00, v01, v11, v10);
            }
        }
    }
    return mesh;
}
