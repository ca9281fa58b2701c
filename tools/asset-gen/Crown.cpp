#include "tools/asset-gen/Crown.h"

#include "tools/asset-gen/Lathe.h"
#include "tools/asset-gen/Staunton.h"

#include <cmath>

namespace {

Vec3 Radial(float angle) {
    return {std::sin(angle), 0.0f, -std::cos(angle)};
}

Vertex At(float radius, float angle, float y, Vec3 n, float u) {
    const Vec3 dir = Radial(angle);
    return {{dir.x * radius, y, dir.z * radius}, n, u, y / kVUnit};
}

} // namespace

Mesh Crown(const CrownShape& s) {
    Mesh mesh;
    const float step = 2.0f * kPi / static_cast<float>(s.segments);
    const Vec3 up{0.0f, 1.0f, 0.0f};
    for (int k = 0; k < s.segments; ++k) {
        const float a0 = step * static_cast<float>(k);
        const float a1 = k + 1 == s.segments ? 0.0f : step * static_cast<float>(k + 1);
        const float u0 = kTurnPeriods * static_cast<float>(k) / static_cast<float>(s.segments);
        const float u1 = kTurnPeriods * static_cast<float>(k + 1) / static_cast<float>(s.segments);
        const float mid = step * (static_cast<float>(k) + 0.5f);
        const float h0 = s.stepped ? s.top(mid) : s.top(a0);
        const float h1 = s.stepped ? s.top(mid) : s.top(step * static_cast<float>(k + 1));
        const Vec3 out0 = Radial(a0);
        const Vec3 out1 = Radial(a1);
        // Outer and inner walls.
        mesh.Quad(At(s.outer, a0, s.bottom, out0, u0), At(s.outer, a1, s.bottom, out1, u1),
                  At(s.outer, a1, h1, out1, u1), At(s.outer, a0, h0, out0, u0));
        mesh.Quad(At(s.inner, a0, s.bottom, -out0, u0), At(s.inner, a1, s.bottom, -out1, u1),
                  At(s.inner, a1, h1, -out1, u1), At(s.inner, a0, h0, -out0, u0));
        // Top face, flat: its normal from its own corners.
        const Vertex t0 = At(s.outer, a0, h0, up, u0);
        const Vertex t1 = At(s.outer, a1, h1, up, u1);
        const Vertex t2 = At(s.inner, a1, h1, up, u1);
        const Vertex t3 = At(s.inner, a0, h0, up, u0);
        Vec3 n = Normalize(Cross(t2.p - t0.p, t1.p - t3.p));
        if (n.y < 0.0f) {
            n = -n;
        }
        Vertex q[4] = {t0, t1, t2, t3};
        for (Vertex& v : q) {
            v.n = n;
            // Texture the top as seen from above.
            v.u = v.p.x / kVUnit;
            v.v = v.p.z / kVUnit;
        }
        mesh.Quad(q[0], q[1], q[2], q[3]);
        // A step in height between this slice and the next gets a radial side face.
        const float next = s.stepped ? s.top(mid + step) : h1;
        if (std::fabs(next - h1) > 1e-4f) {
            const float lo = std::fmin(next, h1);
            const float hi = std::fmax(next, h1);
            const Vec3 side = Normalize(Cross(up, out1)) * (next > h1 ? 1.0f : -1.0f);
            Vertex w[4] = {At(s.inner, a1, lo, side, 0.0f), At(s.outer, a1, lo, side, 0.0f),
                           At(s.outer, a1, hi, side, 0.0f), At(s.inner, a1, hi, side, 0.0f)};
            for (Vertex& v : w) {
                v.u = Dot(v.p, Radial(a1)) / kVUnit;
            }
            mesh.Quad(w[0], w[1], w[2], w[3]);
        }
    }
    return mesh;
}
